#include "app/Job/OperationRunner.h"

#include <QMutexLocker>
#include <QThread>
#include <algorithm>

OperationRunner::OperationRunner(QObject* parent) : QObject(parent) {
    m_throttle.setSingleShot(true);
    m_throttle.setInterval(kProgressEveryMs);
    connect(&m_throttle, &QTimer::timeout, this, &OperationRunner::deliver);
}

OperationRunner::~OperationRunner() {
    // The phase under way ends at its next check of the token (an erasure finishes the file
    // being overwritten first); its thread is joined before the runner it reports to goes.
    m_stop.requestStop();
    for (const QPointer<QThread>& thread : std::as_const(m_threads))
        if (thread) {
            thread->wait();
            delete thread;
        }
}

void OperationRunner::startPhase(std::function<void()> work) {
    m_threads.removeAll(nullptr);
    QThread* thread = QThread::create(std::move(work));
    thread->setObjectName(QStringLiteral("OperationRunner"));
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    m_threads.append(thread);
    thread->start();
}

bool OperationRunner::plan(std::shared_ptr<DestructiveOperation> operation) {
    if (isBusy() || !operation)
        return false;
    m_operation = std::move(operation);
    m_stop = DestructiveOperation::StopToken();
    m_phase = Phase::Planning;
    startPhase([this, operation = m_operation, stop = m_stop] {
        const Plan plan = operation->plan(stop, [this](const Progress& p) { collect(p); });
        // Dropped, should the runner be gone (its destructor joins this thread first).
        QMetaObject::invokeMethod(
            this,
            [this, plan] {
                dropPending();
                m_phase = Phase::Planned;
                emit planned(plan);
            },
            Qt::QueuedConnection);
    });
    return true;
}

bool OperationRunner::run(const Plan& plan, const Consents& consents) {
    if (m_phase != Phase::Planned || !m_operation)
        return false;
    m_stop = DestructiveOperation::StopToken();
    m_phase = Phase::Running;
    startPhase([this, operation = m_operation, stop = m_stop, plan, consents] {
        const Report report =
            operation->run(plan, consents, stop, [this](const Progress& p) { collect(p); });
        QMetaObject::invokeMethod(
            this,
            [this, report] {
                dropPending();
                m_phase = Phase::Idle;
                emit finished(report);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void OperationRunner::stop() {
    if (isBusy())
        m_stop.requestStop();
}

void OperationRunner::setProgressPerSubject(bool perSubject) {
    QMutexLocker lock(&m_latestLock);
    m_perSubject = perSubject;
}

void OperationRunner::collect(const Progress& progress) {
    {
        QMutexLocker lock(&m_latestLock);
        if (!m_perSubject)
            m_latest.clear();
        const auto same = std::find_if(m_latest.begin(), m_latest.end(), [&](const Progress& p) {
            return p.subject == progress.subject;
        });
        if (same != m_latest.end())
            *same = progress;
        else
            m_latest.append(progress);
        if (m_hasNew)
            return; // the delivery already pending takes this one
        m_hasNew = true;
    }
    QMetaObject::invokeMethod(this, &OperationRunner::deliver, Qt::QueuedConnection);
}

void OperationRunner::deliver() {
    if (m_throttle.isActive())
        return; // the throttle's end delivers it
    QList<Progress> latest;
    {
        QMutexLocker lock(&m_latestLock);
        if (!m_hasNew)
            return;
        latest.swap(m_latest);
        m_hasNew = false;
    }
    m_throttle.start();
    for (const Progress& report : std::as_const(latest))
        emit progress(report);
}

void OperationRunner::dropPending() {
    m_throttle.stop();
    QMutexLocker lock(&m_latestLock);
    m_latest.clear();
    m_hasNew = false;
}

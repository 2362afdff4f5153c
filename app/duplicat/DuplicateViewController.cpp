#include "app/duplicat/DuplicateViewController.h"

#include "app/Main/ModuleOwner.h"
#include "app/duplicat/Duplicate/DuplicateGroup.h"
#include "app/duplicat/Duplicate/duplicateFind.h"
#include "app/duplicat/DuplicateDeleteJob.h"
#include "app/duplicat/DuplicateDeleteProgressViewController.h"
#include "app/duplicat/DuplicateResultView.h"
#include "app/duplicat/DuplicateSearchView.h"
#include "app/duplicat/DuplicateStartView.h"
#include "app/duplicat/MakeSureDuplicateDeleteViewController.h"
#include "app/ui/AttachedWindow.h"

#include <QEventLoop>
#include <QStackedWidget>
#include <QThread>
#include <QVBoxLayout>

DuplicateViewController::DuplicateViewController(ModuleOwner* owner, QWidget* parent)
    : QWidget(parent), m_owner(owner) {
    setObjectName(QStringLiteral("DuplicateViewController"));
    m_pages = new QStackedWidget;
    m_startView = new DuplicateStartView;
    m_searchView = new DuplicateSearchView;
    m_resultView = new DuplicateResultView;
    m_pages->addWidget(m_startView);
    m_pages->addWidget(m_searchView);
    m_pages->addWidget(m_resultView);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);

    connect(m_startView, &DuplicateStartView::searchRequested, this,
            &DuplicateViewController::startSearch);
    connect(m_searchView, &DuplicateSearchView::stopRequested, this,
            &DuplicateViewController::stopSearch);
    connect(m_resultView, &DuplicateResultView::newSearchRequested, this,
            &DuplicateViewController::showStart);
    connect(m_resultView, &DuplicateResultView::removeRequested, this,
            &DuplicateViewController::removeChosenCopies);
    m_poll.setInterval(kPollMilliseconds);
    connect(&m_poll, &QTimer::timeout, this, &DuplicateViewController::poll);
}

DuplicateViewController::~DuplicateViewController() {
    m_poll.stop();
    if (m_thread) {
        m_finder->stopSearch();
        m_thread->wait();
        delete m_thread;
    }
    if (m_job && m_job->isRunning()) {
        // Its worker holds the job: let it see the stop and end before the job goes.
        QEventLoop loop;
        connect(m_job, &DuplicateDeleteJob::finished, &loop, &QEventLoop::quit);
        m_job->cancel();
        loop.exec();
    }
}

void DuplicateViewController::showStart() {
    if (!isSearching() && !isRemoving())
        m_pages->setCurrentWidget(m_startView);
}

void DuplicateViewController::startSearch(const QString& folder, bool searchHidden,
                                          bool searchSystem) {
    if (isSearching() || isRemoving())
        return;
    m_folder = folder;
    // One search object per search: its result lists only grow.
    m_finder = std::make_shared<duplicateFind>();
    m_finder->setSearchOption(searchHidden, searchSystem);
    m_thread = QThread::create(
        [finder = m_finder, folder] { finder->searchDuplicateFileAtPath(folder, 0); });
    m_thread->setObjectName(QStringLiteral("duplicate search"));
    // The end is the thread's end, not a progress of 100: a search that ends on a file matching
    // nothing stops short of 100.
    connect(m_thread, &QThread::finished, this, &DuplicateViewController::searchEnded);
    m_searchView->begin(folder);
    m_pages->setCurrentWidget(m_searchView);
    if (m_owner)
        m_owner->canChangeType(false);
    m_thread->start();
    m_poll.start();
}

void DuplicateViewController::stopSearch() {
    if (m_finder && m_thread)
        m_finder->stopSearch();
}

void DuplicateViewController::poll() {
    if (!m_finder)
        return;
    QString step;
    switch (m_finder->phase()) {
    case duplicateFind::Phase::Idle:
    case duplicateFind::Phase::Walk:
        step = tr("Collecting files…");
        break;
    case duplicateFind::Phase::Bundles:
        step = tr("Comparing application bundles…");
        break;
    case duplicateFind::Phase::Files:
    case duplicateFind::Phase::Done:
        step = tr("Comparing files…");
        break;
    }
    m_searchView->setProgress(int(m_finder->getProgress()), step, m_finder->getCurrentSearchPath());
}

void DuplicateViewController::searchEnded() {
    m_poll.stop();
    m_thread->wait();
    m_thread->deleteLater();
    m_thread = nullptr;
    // Read once the search has returned: nothing is added to the lists any more.
    QList<fileAttrbItemPtr> flat;
    m_finder->getAllDuplicateFile(&flat);
    QList<QList<AppAttrbItemPtr>> bundles;
    m_finder->getAllAppDuplicateDir(&bundles);
    m_resultView->setResults(m_folder, DuplicateGroup::split(flat), bundles, m_finder->isStopped());
    m_pages->setCurrentWidget(m_resultView);
    if (m_owner)
        m_owner->canChangeType(true);
    emit searchFinished();
}

void DuplicateViewController::removeChosenCopies() {
    if (isSearching() || isRemoving())
        return;
    const QList<DuplicateDeleteJob::Planned> planned = m_resultView->planned();
    if (planned.isEmpty())
        return;
    const DuplicateDeleteJob::Method method = m_resultView->method();
    if (AttachedWindow::run(new MakeSureDuplicateDeleteViewController(planned, method), this) !=
        QDialog::Accepted)
        return;

    DuplicateDeleteJob::Options options;
    options.method = method;
    m_job = new DuplicateDeleteJob(options, this);
    m_progress = new DuplicateDeleteProgressViewController;
    connect(m_job, &DuplicateDeleteJob::progress, m_progress.data(),
            &DuplicateDeleteProgressViewController::changeProgress);
    connect(m_progress.data(), &DuplicateDeleteProgressViewController::stopRequested, m_job,
            &DuplicateDeleteJob::cancel);
    connect(m_job, &DuplicateDeleteJob::finished, this, &DuplicateViewController::removalEnded);
    if (m_owner)
        m_owner->canChangeType(false);
    AttachedWindow::present(m_progress, this);
    emit removalStarted(m_progress);
    m_job->start(m_resultView->groups(), m_resultView->marks());
}

void DuplicateViewController::removalEnded() {
    const DuplicateDeleteJob::Report report = m_job->report();
    m_job->deleteLater();
    m_job = nullptr;
    if (m_progress)
        m_progress->showReport(report);
    m_resultView->forgetRemoved(report);
    if (m_owner)
        m_owner->canChangeType(true);
    emit removalFinished();
}

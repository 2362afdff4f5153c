#pragma once

#include "app/Job/DestructiveOperation.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

class QThread;

// The windows' runner of a DestructiveOperation: plan() and, once the window has asked, run()
// each happen on a worker thread of their own (a QThread: runs wait in an OperationLoop and
// start processes, which need its event dispatcher); planned(), progress() and finished() arrive
// on the thread
// that made the runner. Progress is coalesced: the latest report is delivered at most every
// kProgressEveryMs, so a walk over hundreds of thousands of entries never floods the UI thread.
// A run that works on several subjects at once (drives wiped side by side) asks for
// setProgressPerSubject(true): the latest report of each subject is then kept and delivered, so
// a drive that reports seldom is not drowned by one that reports often.
// stop() asks the phase under way to end (the operation's StopToken); the UI thread never waits
// for the worker, except in the destructor, which stops the phase and joins the thread.
//
// The runner decides nothing: the window makes its texts from the plan and the report, and
// chooses which consents to give.
class OperationRunner : public QObject {
    Q_OBJECT
public:
    using Plan = DestructiveOperation::Plan;
    using Progress = DestructiveOperation::Progress;
    using Report = DestructiveOperation::Report;
    using Consents = DestructiveOperation::Consents;

    static constexpr int kProgressEveryMs = 50;

    explicit OperationRunner(QObject* parent = nullptr);
    ~OperationRunner() override;

    // Plans OPERATION on the worker; planned() follows (stopped when stop() came first). The
    // runner shares the operation, so the window may read its own results after finished().
    // False while another phase is under way.
    bool plan(std::shared_ptr<DestructiveOperation> operation);
    // Runs PLAN (the one planned(), or the window's part of it) with CONSENTS on the worker;
    // finished() follows. False without a planned operation or while a phase is under way.
    bool run(const Plan& plan, const Consents& consents);
    // Asks the phase under way to end; nothing when none is.
    void stop();
    // Keeps one report per Progress::subject between two deliveries instead of one in all.
    void setProgressPerSubject(bool perSubject);

    bool isBusy() const { return m_phase == Phase::Planning || m_phase == Phase::Running; }
    bool stopRequested() const { return m_stop.stopRequested(); }

signals:
    void planned(const DestructiveOperation::Plan& plan);
    void progress(const DestructiveOperation::Progress& progress);
    void finished(const DestructiveOperation::Report& report);

private:
    enum class Phase { Idle, Planning, Planned, Running };

    // Starts WORK on a new worker thread, which deletes itself once it has ended.
    void startPhase(std::function<void()> work);
    // Called on the worker for every report; posts a delivery only when none is pending.
    void collect(const Progress& progress);
    // On the runner's thread: emits the latest report unless one went out less than
    // kProgressEveryMs ago (the throttle's end delivers it then).
    void deliver();
    // Drops a report still waiting, so that no progress follows the end of a phase.
    void dropPending();

    QList<QPointer<QThread>> m_threads; // those not yet deleted, for the destructor to join
    std::shared_ptr<DestructiveOperation> m_operation;
    DestructiveOperation::StopToken m_stop;
    Phase m_phase = Phase::Idle;

    QTimer m_throttle;
    QMutex m_latestLock;
    QList<Progress> m_latest; // the reports not delivered yet: one, or one per subject
    bool m_perSubject = false;
    bool m_hasNew = false; // m_latest was not delivered yet (a delivery is then pending)
};

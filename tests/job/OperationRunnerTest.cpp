#include "app/Job/OperationRunner.h"
#include "app/Job/OperationLoop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>

namespace {

using Op = DestructiveOperation;

// An operation whose planning walks COUNT entries (or until stopped) and whose run waits in an
// OperationLoop, as the real ones do, until a timer on its own thread ends it or it is stopped.
class WalkingOperation : public Op {
public:
    explicit WalkingOperation(qint64 count, int runMs = 100) : m_count(count), m_runMs(runMs) {}
    Kind kind() const override { return Kind::EraseFiles; }

    Plan plan(const StopToken& stop, const ProgressSink& progress) override {
        planThread = QThread::currentThread();
        Plan plan;
        plan.items << QStringLiteral("walked");
        Progress step;
        for (qint64 i = 1; m_count < 0 || i <= m_count; ++i) {
            if (stop.stopRequested()) {
                plan.stopped = true;
                break;
            }
            step.done = i;
            progress(step);
            ++reports;
            plan.entries = i;
        }
        return plan;
    }

    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override {
        runThread = QThread::currentThread();
        Report report;
        report.items.append({plan.items.value(0), Outcome::NotReached, QString(), 0});
        if (!consents.given(Consent::Irreversible))
            return report;
        QTimer done;
        done.setSingleShot(true);
        OperationLoop loop(stop, [&] {
            report.cancelled = true;
            loop.quit();
        });
        QObject::connect(&done, &QTimer::timeout, [&] { loop.quit(); });
        done.start(m_runMs);
        Progress step;
        step.stage = Stage::Overwriting;
        progress(step);
        loop.exec();
        report.items.first().outcome = report.cancelled ? Outcome::Stopped : Outcome::Done;
        runEnded = true;
        return report;
    }

    QThread* planThread = nullptr;
    QThread* runThread = nullptr;
    std::atomic<qint64> reports = 0;
    std::atomic_bool runEnded = false;

private:
    qint64 m_count;
    int m_runMs;
};

template <typename Spy> bool waitFor(Spy& spy, int ms = 10000) {
    return !spy.isEmpty() || spy.wait(ms);
}

} // namespace

// A long plan and its run happen off the caller's thread; the caller hears a handful of
// coalesced reports, in order, then the plan, and the run's report.
TEST(OperationRunnerTest, PlansAndRunsOnAWorkerAndDeliversHere) {
    auto op = std::make_shared<WalkingOperation>(300000);
    OperationRunner runner;
    QSignalSpy planned(&runner, &OperationRunner::planned);
    QSignalSpy finished(&runner, &OperationRunner::finished);
    QList<qint64> seen;
    QList<QThread*> deliveredOn;
    QObject::connect(&runner, &OperationRunner::progress, [&](const Op::Progress& p) {
        seen << p.done;
        deliveredOn << QThread::currentThread();
    });
    ASSERT_TRUE(runner.plan(op));
    EXPECT_TRUE(runner.isBusy());
    EXPECT_FALSE(runner.plan(op)) << "one phase at a time";
    ASSERT_TRUE(waitFor(planned));
    const auto plan = planned.first().first().value<Op::Plan>();
    EXPECT_EQ(plan.entries, 300000);
    EXPECT_FALSE(plan.stopped);
    EXPECT_EQ(op->reports, 300000);
    EXPECT_NE(op->planThread, QThread::currentThread());
    EXPECT_LT(seen.size(), 1000) << "300,000 reports must not reach this thread one by one";
    EXPECT_TRUE(std::is_sorted(seen.cbegin(), seen.cend()));
    for (QThread* thread : deliveredOn)
        EXPECT_EQ(thread, QThread::currentThread());

    ASSERT_TRUE(runner.run(plan, Op::Consents().give(Op::Consent::Irreversible)));
    ASSERT_TRUE(waitFor(finished));
    const auto report = finished.first().first().value<Op::Report>();
    EXPECT_NE(op->runThread, QThread::currentThread());
    ASSERT_EQ(report.items.size(), 1);
    EXPECT_EQ(report.items.first().outcome, Op::Outcome::Done);
    EXPECT_FALSE(runner.isBusy());
    EXPECT_FALSE(runner.run(plan, Op::Consents::all())) << "a plan runs once";
}

// stop() ends an endless planning, and a run waiting in its loop; the caller's thread stays free.
TEST(OperationRunnerTest, StopEndsPlanningAndRunning) {
    auto op = std::make_shared<WalkingOperation>(-1, 60000);
    OperationRunner runner;
    QSignalSpy planned(&runner, &OperationRunner::planned);
    QSignalSpy finished(&runner, &OperationRunner::finished);
    QObject::connect(&runner, &OperationRunner::progress, &runner, [&](const Op::Progress& p) {
        if (p.done > 1000)
            runner.stop();
    });
    ASSERT_TRUE(runner.plan(op));
    ASSERT_TRUE(waitFor(planned));
    const auto plan = planned.first().first().value<Op::Plan>();
    EXPECT_TRUE(plan.stopped);
    EXPECT_GT(plan.entries, 1000);

    // A stop of the planning does not carry over into the run.
    ASSERT_TRUE(runner.run(plan, Op::Consents::all()));
    QTimer::singleShot(200, &runner, [&] { runner.stop(); });
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(waitFor(finished));
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(finished.first().first().value<Op::Report>().cancelled);
}

// Destroyed in the middle of a run: the run is stopped and its thread joined, and nothing is
// delivered to the runner that is gone.
TEST(OperationRunnerTest, DestructorStopsAndJoinsTheRun) {
    auto op = std::make_shared<WalkingOperation>(10, 60000);
    QElapsedTimer clock;
    {
        OperationRunner runner;
        QSignalSpy planned(&runner, &OperationRunner::planned);
        ASSERT_TRUE(runner.plan(op));
        ASSERT_TRUE(waitFor(planned));
        ASSERT_TRUE(runner.run(planned.first().first().value<Op::Plan>(), Op::Consents::all()));
        QTest::qWait(100);
        clock.start();
    }
    EXPECT_TRUE(op->runEnded) << "the destructor returned before the run had ended";
    EXPECT_LT(clock.elapsed(), 5000);
    QCoreApplication::processEvents(); // a late delivery would reach a destroyed runner here
}

namespace {

// A run over two drives at once: the slow one reports once, the fast one a hundred thousand
// times around it, as a fast drive beside a slow stick does.
class TwoDrivesOperation : public Op {
public:
    Kind kind() const override { return Kind::WipeDrive; }
    Plan plan(const StopToken&, const ProgressSink&) override {
        Plan plan;
        plan.items << QStringLiteral("slow") << QStringLiteral("fast");
        return plan;
    }
    Report run(const Plan&, const Consents&, const StopToken&,
               const ProgressSink& progress) override {
        Progress fast;
        fast.stage = Stage::Overwriting;
        fast.total = 100000;
        fast.subject = QStringLiteral("fast");
        Progress slow = fast;
        slow.subject = QStringLiteral("slow");
        slow.done = 1;
        for (qint64 i = 1; i <= fast.total; ++i) {
            fast.done = i;
            progress(fast);
            if (i == 1000)
                progress(slow); // between two of the fast drive's reports
        }
        QThread::msleep(200); // the last reports are delivered before the run ends
        return {};
    }
};

} // namespace

// Per subject, a report is kept until delivered: the slow drive's one report reaches the window
// although the fast one reported a hundred thousand times after it; still coalesced.
TEST(OperationRunnerTest, PerSubjectProgressKeepsTheReportOfEachSubject) {
    OperationRunner runner;
    runner.setProgressPerSubject(true);
    QSignalSpy planned(&runner, &OperationRunner::planned);
    QSignalSpy finished(&runner, &OperationRunner::finished);
    QMap<QString, qint64> last;
    int deliveries = 0;
    QObject::connect(&runner, &OperationRunner::progress, [&](const Op::Progress& p) {
        last[p.subject] = p.done;
        ++deliveries;
    });
    ASSERT_TRUE(runner.plan(std::make_shared<TwoDrivesOperation>()));
    ASSERT_TRUE(waitFor(planned));
    ASSERT_TRUE(runner.run(planned.first().first().value<Op::Plan>(), Op::Consents::all()));
    ASSERT_TRUE(waitFor(finished));
    EXPECT_EQ(last.value(QStringLiteral("slow")), 1) << "the slow drive's report was dropped";
    EXPECT_EQ(last.value(QStringLiteral("fast")), 100000);
    EXPECT_LT(deliveries, 1000);
}

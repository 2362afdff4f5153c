#include "cli/CliOperationRunner.h"
#include "cli/CliInterrupt.h"
#include "cli/CliPrompt.h"

#include <csignal>
#include <gtest/gtest.h>

namespace {

using Op = DestructiveOperation;

// An operation whose plan is given and whose run is recorded: what the runner decides can be
// seen without anything real being touched.
class FakeOperation : public DestructiveOperation {
public:
    Plan planned;
    std::function<Report(const StopToken&)> work;
    bool ran = false;
    Consents consentsGiven;

    Kind kind() const override { return Kind::EraseFiles; }
    Plan plan(const StopToken&, const ProgressSink&) override { return planned; }
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink&) override {
        ran = true;
        consentsGiven = consents;
        if (work)
            return work(stop);
        Report report;
        for (const QString& item : plan.items)
            report.items.append({item, Outcome::Done, QString(), 1});
        return report;
    }
};

class CliOperationRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        operation.planned.items = {QStringLiteral("/tmp/one")};
        operation.planned.consents.append({Op::Consent::Irreversible, QString(), QString()});
        CliPrompt::setInputIsTerminal(0);
    }
    void TearDown() override {
        CliPrompt::setInputIsTerminal(-1);
        CliInterrupt::reset();
    }

    // Runs the fake with FLAGS; ANSWER is the user's answer, when asked. Keeps what stderr got.
    int run(CliOperationRunner::Flags flags, bool answer = false) {
        const CliReportFormatter formatter(QStringLiteral("fake"));
        CliOperationRunner runner({QStringLiteral("faking"), QStringLiteral("fake"),
                                   QStringLiteral("Nothing was faked."), QString()},
                                  flags, formatter);
        runner.setAsk([this, answer](const QString&) {
            ++questions;
            return answer;
        });
        ::testing::internal::CaptureStderr();
        ::testing::internal::CaptureStdout();
        const int status = runner.run(operation);
        err = ::testing::internal::GetCapturedStderr();
        out = ::testing::internal::GetCapturedStdout();
        return status;
    }
    static CliOperationRunner::Flags yes() {
        CliOperationRunner::Flags flags;
        flags.yes = true;
        return flags;
    }

    FakeOperation operation;
    int questions = 0;
    std::string err, out;
};

// One refused item among others runs nothing: the batch is done whole or not at all.
TEST_F(CliOperationRunnerTest, ARefusalRunsNothingAndEndsWithOne) {
    operation.planned.refusals.append(
        {QStringLiteral("/"), Op::Refusal::SystemFolder, QStringLiteral("refusing the root")});
    EXPECT_EQ(run(yes()), 1);
    EXPECT_FALSE(operation.ran);
    EXPECT_NE(err.find("korvane fake: refusing the root\n"), std::string::npos) << err;
    EXPECT_NE(err.find("Nothing was faked."), std::string::npos) << err;
    EXPECT_EQ(questions, 0);
}

// A consent that needs an opt-in is refused without the option, --yes or not; given by the
// option it is said as a warning and reaches the run.
TEST_F(CliOperationRunnerTest, AConsentIsRefusedUnlessTheOptionGivesIt) {
    operation.planned.consents.append(
        {Op::Consent::HomeFolder, QStringLiteral("/home/ann"), QStringLiteral("a home folder")});
    CliOperationRunner::Flags flags = yes();
    flags.optIn = QStringLiteral("--force");
    EXPECT_EQ(run(flags), 1);
    EXPECT_FALSE(operation.ran);
    EXPECT_NE(err.find("korvane fake: a home folder; add --force to fake it anyway"),
              std::string::npos)
        << err;

    flags.given.give(Op::Consent::HomeFolder);
    EXPECT_EQ(run(flags), 0) << err;
    EXPECT_TRUE(operation.ran);
    EXPECT_TRUE(operation.consentsGiven.given(Op::Consent::HomeFolder));
    EXPECT_TRUE(operation.consentsGiven.given(Op::Consent::Irreversible));
    EXPECT_NE(err.find("Warning: a home folder."), std::string::npos) << err;
    EXPECT_EQ(out, "Done /tmp/one\n");

    // An option that does something of its own says so, after the detail's own sentence.
    operation.ran = false;
    operation.planned.consents.append(
        {Op::Consent::RunningBrowser, QStringLiteral("Fox"), QStringLiteral("Fox is running.")});
    flags.optIn = QStringLiteral("--close");
    flags.optInDoes = QStringLiteral("have it closed");
    EXPECT_EQ(run(flags), 1);
    EXPECT_FALSE(operation.ran);
    EXPECT_NE(err.find("korvane fake: Fox is running; add --close to have it closed\n"),
              std::string::npos)
        << err;
}

// The one question: never answered from a pipe; asked on a terminal, and only "yes" runs.
TEST_F(CliOperationRunnerTest, TheQuestionNeedsATerminalOrYes) {
    EXPECT_EQ(run({}, true), 1);
    EXPECT_FALSE(operation.ran);
    EXPECT_EQ(questions, 0);
    EXPECT_NE(err.find("not faking without confirmation: standard input is not a terminal; add "
                       "--yes to fake anyway"),
              std::string::npos)
        << err;

    CliPrompt::setInputIsTerminal(1);
    EXPECT_EQ(run({}, false), 1);
    EXPECT_EQ(questions, 1);
    EXPECT_FALSE(operation.ran);
    EXPECT_NE(err.find("Nothing was faked."), std::string::npos) << err;

    EXPECT_EQ(run({}, true), 0) << err;
    EXPECT_EQ(questions, 2);
    EXPECT_TRUE(operation.ran);
}

// SIGINT while the run works asks it to stop; the report says cancelled and the status is
// 128 + 2, as a shell reports a program Ctrl-C ended.
TEST_F(CliOperationRunnerTest, SigintDuringTheRunCancelsItWith130) {
    operation.work = [](const Op::StopToken& stop) {
        ::raise(SIGINT);
        Op::Report report;
        report.cancelled = stop.stopRequested();
        report.items.append({QStringLiteral("/tmp/one"),
                             report.cancelled ? Op::Outcome::NotReached : Op::Outcome::Done,
                             QString(), 0});
        return report;
    };
    EXPECT_EQ(run(yes()), 130) << err;
    EXPECT_NE(err.find("Interrupted by SIGINT: 0 of 1 done"), std::string::npos) << err;
    EXPECT_EQ(out, "Not reached /tmp/one\n");
}

// The status is the report's: one failed item is a failed run; nothing to do is no failure.
TEST_F(CliOperationRunnerTest, TheStatusComesFromTheReport) {
    operation.work = [](const Op::StopToken&) {
        Op::Report report;
        report.items.append({QStringLiteral("/tmp/one"), Op::Outcome::Done, QString(), 1});
        report.items.append(
            {QStringLiteral("/tmp/two"), Op::Outcome::Failed, QStringLiteral("busy"), 0});
        return report;
    };
    operation.planned.items << QStringLiteral("/tmp/two");
    EXPECT_EQ(run(yes()), 1);
    EXPECT_EQ(out, "Done /tmp/one\nFailed /tmp/two: busy\n");

    operation.ran = false;
    operation.planned.items.clear();
    EXPECT_EQ(run(yes()), 0);
    EXPECT_FALSE(operation.ran);
}

} // namespace

// The tie between a work child and its parent, on real processes: a forked intermediate process
// starts a child and is then killed with SIGKILL, as a tester kills korvane.
#include "ProcessTree.h"
#include "platform/ChildProcessTie.h"
#include "platform/ParentDeathSignal.h"
#include "platform/PrivilegedCommand.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace childtest;
using namespace std::chrono_literals;

// Forks an intermediate process that runs START (which starts a child and returns its pid),
// hands the pid over and waits to be killed. Returns the intermediate's pid; CHILD gets the
// other.
template <typename Start> pid_t forkIntermediate(Start start, pid_t& child) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return -1;
    }
    const pid_t middle = ::fork();
    if (middle == 0) {
        const pid_t started = start();
        (void)!::write(fds[1], &started, sizeof started);
        for (;;) {
            ::pause();
        }
    }
    ::close(fds[1]);
    if (::read(fds[0], &child, sizeof child) != sizeof child) {
        child = -1;
    }
    ::close(fds[0]);
    return middle;
}

void kill9(pid_t middle) {
    ::kill(middle, SIGKILL);
    waitForEnd(middle, 10s);
}

// Kills the intermediate and waits a little for CHILD to end: its status, or none when it
// outlived its parent (then it is ended here, so no test leaves it behind).
std::optional<int> endOfChildAfterParentKilled(pid_t middle, pid_t child) {
    kill9(middle);
    const std::optional<int> status = waitForEnd(child, 2s);
    if (!status) {
        ::kill(child, SIGKILL);
        waitForEnd(child, 10s);
    }
    return status;
}

TEST(ParentDeath, QProcessChildEndsWithItsKilledParentBySigterm) {
    OrphanAdopter adopter;
    pid_t child = -1;
    const pid_t middle = forkIntermediate(
        [] {
            auto* process = new QProcess; // kept: this process never ends by itself
            ChildProcessTie::tieToThisProcess(*process);
            process->start(QStringLiteral("sleep"), {QStringLiteral("30")});
            return process->waitForStarted(10000) ? pid_t(process->processId()) : pid_t(-1);
        },
        child);
    ASSERT_GT(child, 0);
    const std::optional<int> status = endOfChildAfterParentKilled(middle, child);
    ASSERT_TRUE(status.has_value()) << "the child outlived its killed parent";
    EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == SIGTERM)
        << describeStatus(*status) << "; SIGTERM lets a tool stop at a safe point";
}

// The parent may die between the fork and the arming, and then no signal ever comes: the
// arming itself must tell. The child ignores SIGTERM to outlive its parent and arms once
// before and once after the parent's death.
TEST(ParentDeath, ArmingAfterTheParentDiedSaysSo) {
    OrphanAdopter adopter;
    int armed[2], go[2];
    ASSERT_EQ(::pipe(armed), 0);
    ASSERT_EQ(::pipe(go), 0);
    pid_t child = -1;
    const pid_t middle = forkIntermediate(
        [&] {
            const pid_t parent = ::getpid();
            const pid_t forked = ::fork();
            if (forked == 0) {
                ::signal(SIGTERM, SIG_IGN);
                const char first = ParentDeathSignal::armInChild(parent) ? 'y' : 'n';
                (void)!::write(armed[1], &first, 1);
                char byte;
                (void)!::read(go[0], &byte, 1);
                ::_exit(ParentDeathSignal::armInChild(parent) ? 1 : 0);
            }
            return forked;
        },
        child);
    ::close(armed[1]);
    ::close(go[0]);
    ASSERT_GT(child, 0);
    char first = 0;
    ASSERT_EQ(::read(armed[0], &first, 1), 1);
    EXPECT_EQ(first, 'y') << "the arming failed while the parent lived";
    kill9(middle);
    (void)!::write(go[1], "x", 1);
    const std::optional<int> status = waitForEnd(child, 5s);
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0)
        << describeStatus(*status) << "; status 1: the arming missed that the parent was gone";
    ::close(armed[0]);
    ::close(go[1]);
}

// A command run with rights ends with the program that ran it, except a package manager:
// stopped halfway, apt-get or dpkg would leave the package database half-done.
TEST(ParentDeath, APrivilegedCommandEndsWithItsCallerUnlessItIsLetFinish) {
    for (const bool endsWithCaller : {true, false}) {
        SCOPED_TRACE(endsWithCaller ? "ends with its caller" : "let finish");
        OrphanAdopter adopter;
        QTemporaryDir dir;
        const QString pidFile = dir.path() + QStringLiteral("/pid");
        pid_t child = -1;
        const pid_t middle = forkIntermediate(
            [&] {
                std::thread([&] {
                    PrivilegedCommand::Options options;
                    options.alreadyRoot = true;
                    options.endsWithCaller = endsWithCaller;
                    PrivilegedCommand::run({QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                                            QStringLiteral("echo $$ > \"$0\"; exec sleep 30"),
                                            pidFile},
                                           options);
                }).detach();
                for (int i = 0; i < 1000; ++i, QThread::msleep(10)) {
                    QFile file(pidFile);
                    if (file.open(QIODevice::ReadOnly))
                        if (const QByteArray pid = file.readAll().trimmed(); !pid.isEmpty())
                            return pid_t(pid.toInt());
                }
                return pid_t(-1);
            },
            child);
        ASSERT_GT(child, 0);
        const std::optional<int> status = endOfChildAfterParentKilled(middle, child);
        EXPECT_EQ(status.has_value(), endsWithCaller)
            << (status ? describeStatus(*status) : std::string("still running"));
    }
}

} // namespace

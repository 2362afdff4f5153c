#include "platform/PrivilegedCommand.h"

#include "platform/ChildProcessTie.h"

#include <QProcess>
#include <unistd.h>

namespace {

// pkexec's own statuses: the authentication dialog was dismissed, or the user is not
// authorized (no agent, wrong password three times).
constexpr int kPkexecDismissed = 126;
constexpr int kPkexecNotAuthorized = 127;

PrivilegedCommand::Result runProcess(const QString& program, const QStringList& arguments,
                                     int timeoutMs, bool endsWithCaller = true) {
    PrivilegedCommand::Result result;
    QProcess process;
    // Run directly as root, the command (mkfs, mount, rm...) ends with this program. Through
    // pkexec the kernel drops the tie at pkexec's set-user-ID start.
    if (endsWithCaller)
        ChildProcessTie::tieToThisProcess(process);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return result;
    result.started = true;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        result.crashed = true;
    }
    result.output = process.readAll();
    if (process.exitStatus() != QProcess::NormalExit)
        result.crashed = true;
    else
        result.exitCode = process.exitCode();
    return result;
}

} // namespace

PrivilegedCommand::Options PrivilegedCommand::systemOptions() {
    Options options;
    options.alreadyRoot = ::geteuid() == 0;
    return options;
}

PrivilegedCommand::Result PrivilegedCommand::run(const QStringList& argv, const Options& options) {
    if (argv.isEmpty() || !argv.first().startsWith(QLatin1Char('/')))
        return {};
    if (options.alreadyRoot)
        return runProcess(argv.first(), argv.mid(1), options.timeoutMs, options.endsWithCaller);
    Result result = runProcess(options.pkexecPath, argv, options.timeoutMs, options.endsWithCaller);
    if (result.started && !result.crashed &&
        (result.exitCode == kPkexecDismissed || result.exitCode == kPkexecNotAuthorized))
        result.refused = true;
    return result;
}

PrivilegedCommand::Result PrivilegedCommand::runPlain(const QStringList& argv, int timeoutMs) {
    if (argv.isEmpty())
        return {};
    return runProcess(argv.first(), argv.mid(1), timeoutMs);
}

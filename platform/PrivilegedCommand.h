#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs a program with administrator rights and waits for it to end: directly when the process
// is already root, otherwise through pkexec, which shows the system's password dialog. The
// command is an argument vector, never shell text; its output (standard output and error
// together) is kept so that a failure can be shown.
class PrivilegedCommand {
public:
    struct Result {
        bool started = false; // the program (or pkexec) could be started
        bool refused = false; // pkexec: the dialog was dismissed or the user not authorized
        bool crashed = false; // ended by a signal
        int exitCode = -1;    // the program's exit status when it ran
        QByteArray output;
        bool ok() const { return started && !refused && !crashed && exitCode == 0; }
    };

    struct Options {
        bool alreadyRoot = false;
        QString pkexecPath = QStringLiteral("/usr/bin/pkexec");
        int timeoutMs = -1; // -1: no limit
        // The command gets SIGTERM when this program dies. Off for a package manager: stopped
        // halfway it leaves the system's package database half-done, so it is let finish.
        bool endsWithCaller = true;
    };
    // This process: root or not, the system's pkexec.
    static Options systemOptions();

    // Runs ARGV (ARGV[0] an absolute path) with administrator rights.
    static Result run(const QStringList& argv, const Options& options = systemOptions());
    // Runs ARGV as the calling process, without asking for rights.
    static Result runPlain(const QStringList& argv, int timeoutMs = -1);
};

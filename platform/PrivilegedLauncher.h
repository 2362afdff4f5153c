#pragma once

#include "platform/DisplayVariables.h"

#include <QString>
#include <QStringList>

// Starts a program with administrator rights without waiting for it.
//
// Already root: the program is started directly, detached. Otherwise pkexec runs it. pkexec
// judges the process that called it and refuses a parent that has gone away, so the caller (the
// loader, which must end at once) cannot simply exec it and leave. Instead a detached watcher
// (forked twice, in its own session, input from /dev/null so pkexec never prompts on a terminal)
// runs pkexec and stays with it:
//   - pkexec ends with 126 (dialog dismissed) or 127 (not authorized, no authentication agent):
//     nothing is shown, the watcher ends;
//   - the program ends with kNoDisplayStatus (as root it could not reach the user's display):
//     the watcher starts the program again without administrator rights, with the user's own
//     environment, so the user still gets a window;
//   - any other end: the watcher ends.
// pkexec clears the environment. When our polkit policy names the program, pkexec runs it
// directly and the policy's allow_gui annotation keeps DISPLAY and XAUTHORITY (and
// auth_admin_keep keeps the authorization for the run). Without such a policy (a bundle in a
// build tree) pkexec runs /usr/bin/env with the checked display variables and then the program,
// under polkit's standard administrator prompt; the program still receives exactly its own
// argument vector.
class PrivilegedLauncher {
public:
    // Exit status of a privileged program that cannot open its windows on the user's display.
    static constexpr int kNoDisplayStatus = 78;
    static inline const QString kPolicyFileName = QStringLiteral("org.korvane.data-eraser.policy");

    struct Options {
        bool alreadyRoot = false;
        QString pkexecPath = QStringLiteral("/usr/bin/pkexec");
        QString envPath = QStringLiteral("/usr/bin/env");
        QString policyFolder = QStringLiteral("/usr/share/polkit-1/actions");
        DisplayVariables display;
    };
    // The running process: root or not, the system's pkexec and policies, checked display.
    static Options systemOptions();

    // True when our installed policy file names PROGRAM as the path pkexec may run.
    static bool policyCovers(const QString& program, const QString& policyFolder);

    // The arguments given to pkexec (after its own name) to run PROGRAM with ARGUMENTS.
    static QStringList pkexecArguments(const QString& program, const QStringList& arguments,
                                       const Options& options);

    // Hands the start over and returns at once: 0 when it was handed over, otherwise an errno
    // value (the program or pkexec cannot be executed, fork failed).
    static int launch(const QString& program, const QStringList& arguments, const Options& options);
};

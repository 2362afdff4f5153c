#include "platform/ChildProcessTie.h"

#include "platform/ParentDeathSignal.h"

#include <QProcess>
#include <unistd.h>

void ChildProcessTie::tieToThisProcess(QProcess& process) {
    const pid_t parent = ::getpid();
    // Runs in the child between fork and exec: only async-signal-safe calls.
    process.setChildProcessModifier([parent] {
        if (!ParentDeathSignal::armInChild(parent))
            ::_exit(127);
    });
}

#pragma once

#include <csignal>
#include <sys/types.h>

// The signal a work child gets from the kernel when the program that started it is gone, and
// the arming of it. Plain C++ and POSIX, so srm and diskutil use it too.
//
// SIGTERM, not SIGKILL: srm and diskutil take it as a request to stop at their next safe point
// (srm ends the file it is overwriting within one write chunk and keeps it; diskutil lets the
// external command it is running end and starts no further step), where SIGKILL would stop them
// in the middle of a write. Programs without a handler for it simply end.
//
// The kernel sends it when the thread that forked the child ends, not only the process: a child
// must be started from a thread that lives at least as long as the child does.
class ParentDeathSignal {
public:
    static constexpr int kSignal = SIGTERM;

    // For a child between fork and exec; async-signal-safe. PARENT is the pid of the forking
    // process, read before the fork. False when that process died before the arming: no signal
    // will ever come then, and the child must _exit instead of going on.
    static bool armInChild(pid_t parent) noexcept;

    // For a tool at start-up, whoever started it: a set-user-ID program run in between (pkexec)
    // makes the kernel drop the setting at its exec. Install the handler for kSignal first: a
    // parent that dies while this arms is answered by raising kSignal here.
    static void armForThisProcess() noexcept;
};

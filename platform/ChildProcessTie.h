#pragma once

class QProcess;

// Ties the life of a work child to this process: once started, PROCESS receives
// ParentDeathSignal::kSignal (SIGTERM) from the kernel when this program ends in any way,
// kill -9 included, so srm stops at the end of its write chunk and diskutil before its next
// step instead of going on alone. A child whose parent died before the tie took hold ends at
// once, before it runs anything.
//
// Start the process from a thread that outlives it: the kernel signals when the forking thread
// ends. (QProcess needs that thread anyway to learn the child's end.) Replaces any child-process
// modifier set before.
class ChildProcessTie {
public:
    static void tieToThisProcess(QProcess& process);
};

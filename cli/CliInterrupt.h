#pragma once

#include <QtGlobal>
#include <atomic>
#include <functional>

// How every korvane verb that changes data meets SIGINT, SIGTERM and SIGHUP, the same way in
// each: the handler only records the signal and wakes the event loop through a pipe; the verb
// then stops after the item under way, says what was done and what was not, and ends with
// exitStatus(), 128 + the signal's number (130 for Ctrl-C, 143 for SIGTERM), as a shell reports
// a program the signal ended. The handlers are installed only once the work starts, so a
// signal at a confirmation prompt still ends the program at once, with nothing done.
class CliInterrupt {
public:
    // Standard output line by line, so each result line is out as it is printed (a pipe or a
    // file would otherwise hold them in a block that an abrupt end loses). Call before the
    // verb writes anything there.
    static void lineBufferedOutput();

    // Installs the handlers. ON_SIGNAL runs on the thread of the event loop, once per signal
    // received (the work is asked to stop each time); it may be empty for a verb that polls
    // interrupted() instead. RAISED, when given, is set in the handler itself, for work that
    // runs without an event loop and polls a flag.
    static void install(std::function<void(int signal)> onSignal,
                        std::atomic_bool* raised = nullptr);

    // The work the handlers were installed for has ended: they forget ON_SIGNAL and RAISED
    // (which may be gone), and go on recording a signal so that the end of the output is still
    // written.
    static void release();
    // Back to the default handlers, no signal recorded: for a process that runs more than one
    // piece of work (a test).
    static void reset();

    static bool interrupted();
    static int signalNumber(); // 0 until a signal arrived
    static int exitStatus();   // 128 + signalNumber()
    // "SIGINT", "SIGTERM", "SIGHUP".
    static const char* signalName();

    // The paragraph each verb's --help carries.
    static inline const char* const kHelp = QT_TRANSLATE_NOOP(
        "CliUsage",
        "Interrupted (SIGINT, SIGTERM or SIGHUP), it stops after the item under way, prints what\n"
        "was done and what was not, and exits with 128 + the signal's number (130 for Ctrl-C,\n"
        "143 for SIGTERM). Each result line is written as soon as it is known.\n");
};

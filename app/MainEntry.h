#pragma once

#include <QString>

// The main program refuses to run its window without an argument: started directly (not by the
// loader), it launches the outer bundle's loader, which performs the privileged start, and ends.
class MainEntry {
public:
    // True when there is a first argument that is plain ASCII and not empty (the loader passes
    // "en" followed by "*loaderflag*"; any other non-empty argument runs the program as well).
    static bool shouldRunApplication(int argc, const char* const* argv);

    // The locale name the loader handed over ("--locale NAME" after the marker), empty when
    // there is none or it is not a plain locale name.
    static QString localeArgument(int argc, const char* const* argv);

    // Root started by pkexec for a user: only then is there a watcher that can start the
    // program without administrator rights when the display refuses root.
    static bool startedThroughPkexec();

    // As root for another user, records that user under USERNAME. An installed bundle belongs
    // to root, so the loader, running as the user, may not have been able to write the store.
    static void recordInvokingUser();
};

// Launches the outer bundle (the loader) detached. True when the launch was accepted.
bool ZZManRunLoader();

#pragma once

namespace srm {

// A request to stop, raised by SIGTERM, SIGINT or SIGHUP (or by a test) and read between passes:
// the file being overwritten gets the pass under way finished, then is removed and reported as
// stopped (never left half old data, half pattern under its own name), and nothing after it is
// touched.
class Cancellation {
public:
    // Makes the three signals raise the request instead of ending the process.
    static void installSignalHandlers();
    static void request();
    static bool requested();
    static void reset();
};

} // namespace srm

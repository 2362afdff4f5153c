#pragma once

namespace srm {

// A request to stop, raised by SIGTERM, SIGINT or SIGHUP (or by a test) and read between write
// chunks, so an erasure stops within one chunk: the file being overwritten is then kept and
// reported as cancelled, and nothing after it is touched.
class Cancellation {
public:
    // Makes the three signals raise the request instead of ending the process.
    static void installSignalHandlers();
    static void request();
    static bool requested();
    static void reset();
};

} // namespace srm

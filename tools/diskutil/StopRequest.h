#pragma once

#include <ostream>
#include <string>

namespace diskutil {

// A request to stop, raised by SIGTERM, SIGHUP or SIGINT. SIGTERM is also what the kernel sends
// when the program that started diskutil is gone (see ParentDeathSignal). A verb that changes a
// volume lets the external command it is running end (a mkfs killed half-way would leave a
// broken file system), then starts no further step: a volume is never mounted again, renamed or
// formatted for a program that is no longer there to report it.
class StopRequest {
public:
    // Makes the signals raise the request instead of ending the process, ignores SIGPIPE (the
    // reader of our output may be gone; the state left must still be logged) and arms the
    // parent-death signal. Called first thing in main.
    static void install();
    static bool requested();
    // Why diskutil stops, for the log: its parent is gone, or a signal asked for it.
    static std::string reason();
    // Says on ERR and in the system log that the verb stopped and in what STATE it leaves
    // DEVICE ("formatted as ext4, not mounted"). Returns the exit status of a stopped verb, 1.
    static int reportStopped(const std::string& device, const std::string& state,
                             std::ostream& err);
};

} // namespace diskutil

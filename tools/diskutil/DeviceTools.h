#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <sys/types.h>
#include <vector>

namespace diskutil {

// What the verbs that change a volume share: reading a device's file-system identity and size,
// running the file-system tools (argument vectors, never a shell) and mounting a file system
// with the driver this machine has for it.
class DeviceTools {
public:
    struct Identity {
        std::string type, version, label, uuid;
    };

    // The file system on DEVICE as the device itself has it (no cache).
    static Identity probe(const std::string& device);
    static std::uint64_t deviceSize(const std::string& device);
    // Runs ARGV and waits; its output goes to ERR, INPUT (small: a script) to its standard
    // input. The exit status, or -1. Once a stop was requested nothing new is started (-1).
    // The child ends with diskutil: see prepareChild.
    static int runTool(const std::vector<std::string>& argv, std::ostream& err,
                       const std::string& input = std::string());
    // In a forked child before exec (async-signal-safe): it receives SIGTERM when diskutil,
    // PARENT, is gone, and gets SIGPIPE back as programs expect it. False when diskutil is
    // already gone; the child then _exits.
    static bool prepareChild(pid_t parent) noexcept;
    // Whether PROGRAM is found in PATH.
    static bool haveTool(const std::string& program);
    // Whether the kernel has a driver for file-system TYPE.
    static bool kernelKnows(const std::string& type);
    // The options of a mount that say whose the files are, to keep for a new mount.
    static std::string ownershipOptions(const std::string& options);
    // The command that mounts DEVICE (file system TYPE) at TARGET with OPTIONS.
    static std::vector<std::string> mountCommand(const std::string& type, const std::string& device,
                                                 const std::string& target,
                                                 const std::string& options);
};

} // namespace diskutil

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A disk for format tests: a blank image file in its own mkdtemp folder under /tmp, on a loop
// device of its own with partition scan on. partition() lays out a table and makes the kernel
// see it (partx: the kernel may have no parser for it). The destructor unmounts what mount()
// mounted, detaches the loop device and deletes the folder, also after a failed test.
class LoopDisk {
public:
    // Empty when loop disks can be made and partitioned here; otherwise why not.
    static std::string unavailableReason();

    // Throws std::runtime_error on failure.
    explicit LoopDisk(std::uint64_t size);
    ~LoopDisk();
    LoopDisk(const LoopDisk&) = delete;
    LoopDisk& operator=(const LoopDisk&) = delete;

    const std::string& device() const { return device_; }
    const std::string& folder() const { return folder_; }

    // Writes the sfdisk SCRIPT ("label: gpt\n,24M,L\n,,L\n") and waits for the partitions'
    // nodes. Throws on failure.
    void partition(const std::string& script);
    // The node of partition NUMBER as the kernel has it now; empty when none.
    std::string partitionNode(unsigned number) const;
    // Where partition NODE lies on the disk, in bytes (from sysfs).
    std::uint64_t offsetOf(const std::string& node) const;
    std::uint64_t sizeOf(const std::string& node) const;
    // Mounts NODE on a new folder in folder(); the mount point. Throws on failure.
    std::string mount(const std::string& node, bool readOnly = false);
    // The image's bytes as the device has them (the loop device's writes flushed first).
    std::string bytes() const;

private:
    std::string folder_;
    std::string image_;
    std::string device_;
    std::vector<std::string> mounts_;
};

} // namespace testsupport

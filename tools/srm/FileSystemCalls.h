#pragma once

#include <string>

namespace srm {

// The calls that decide when an erasure is on the device and when a name goes: waiting for a
// file's write-back, syncing a file, a folder or a whole file system, renaming and removing.
// Each returns 0 or errno's value. The erasure goes through this one object, so a test can
// record the order in which they happen (and disturb them) without a device that loses power.
class FileSystemCalls {
public:
    virtual ~FileSystemCalls() = default;

    // Waits until the file's dirty pages are written back, without a device cache flush; a
    // write-back error of the file is returned here.
    virtual int waitForWriteback(int fd);
    // fdatasync(2): the file's data on the device, through the device's cache.
    virtual int syncFile(int fd);
    // fsync(2) of an open folder: its entries on the device.
    virtual int syncFolder(int folderFd);
    // syncfs(2): everything written on the file system of FD on the device, once.
    virtual int syncFileSystem(int fd);
    virtual int rename(int dirFd, const std::string& from, const std::string& to, bool noReplace);
    virtual int unlink(int dirFd, const std::string& name, bool folder);

    // The real calls.
    static FileSystemCalls& system();
};

} // namespace srm

#include "VolumeUnmounter.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace diskutil {
namespace {

bool isNumber(const char* name) {
    if (*name == '\0') {
        return false;
    }
    for (; *name != '\0'; ++name) {
        if (*name < '0' || *name > '9') {
            return false;
        }
    }
    return true;
}

// Whether the process whose /proc folder is PROCFD has a descriptor on block device RDEV.
bool holds(int procFd, dev_t rdev) {
    const int fdFolder = ::openat(procFd, "fd", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fdFolder >= 0 ? ::fdopendir(fdFolder) : nullptr;
    if (dir == nullptr) {
        if (fdFolder >= 0) {
            ::close(fdFolder);
        }
        return false;
    }
    bool found = false;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isNumber(entry->d_name)) {
            continue;
        }
        // Only what was opened below /dev is looked at: following a descriptor on a file of
        // a FUSE mount would wait on that mount's driver, which may hang.
        char target[16];
        const ssize_t n = ::readlinkat(::dirfd(dir), entry->d_name, target, sizeof target);
        if (n < 5 || std::memcmp(target, "/dev/", 5) != 0) {
            continue;
        }
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISBLK(st.st_mode) &&
            st.st_rdev == rdev) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

} // namespace

std::vector<std::string> VolumeUnmounter::holders(dev_t rdev) {
    std::vector<std::string> found;
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) {
        return found;
    }
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(proc)) {
        if (!isNumber(entry->d_name) || std::atol(entry->d_name) == self) {
            continue;
        }
        const int procFd =
            ::openat(::dirfd(proc), entry->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (procFd < 0) {
            continue;
        }
        if (holds(procFd, rdev)) {
            std::string name;
            const int commFd = ::openat(procFd, "comm", O_RDONLY | O_CLOEXEC);
            if (commFd >= 0) {
                char buf[64];
                const ssize_t n = ::read(commFd, buf, sizeof buf);
                name.assign(buf, n > 0 ? std::size_t(n) : 0);
                ::close(commFd);
            }
            name.erase(std::remove(name.begin(), name.end(), '\n'), name.end());
            found.push_back((name.empty() ? "a process" : name) + " (pid " + entry->d_name + ")");
        }
        ::close(procFd);
    }
    ::closedir(proc);
    return found;
}

std::string VolumeUnmounter::waitUntilClosed(const std::string& device,
                                             std::chrono::milliseconds limit) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) {
        return {};
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const std::vector<std::string> still = holders(st.st_rdev);
        if (still.empty()) {
            return {};
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return device + " is still open in " + joined(still);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string VolumeUnmounter::unmountAll(const std::vector<MountEntry>& mounts,
                                        bool removeMediaFolders) {
    std::vector<MountEntry> deepestFirst = mounts;
    std::sort(
        deepestFirst.begin(), deepestFirst.end(),
        [](const MountEntry& a, const MountEntry& b) { return a.target.size() > b.target.size(); });
    std::vector<std::string> devices;
    for (const MountEntry& m : deepestFirst) {
        // A program that looks at the volume for a moment (a listing, a thumbnailer) keeps it
        // busy only as long: a second is given for that before it counts as in use.
        int result = ::umount2(m.target.c_str(), 0);
        for (int tries = 0; result != 0 && errno == EBUSY && tries < 20; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            result = ::umount2(m.target.c_str(), 0);
        }
        if (result != 0) {
            return "cannot unmount " + m.target + ": " + std::strerror(errno) +
                   (errno == EBUSY ? " (close the files and programs that use it and try again)"
                                   : "");
        }
        if (removeMediaFolders && m.target.compare(0, 7, "/media/") == 0 &&
            m.target.find('/', 7) == std::string::npos) {
            ::rmdir(m.target.c_str());
        }
        if (std::find(devices.begin(), devices.end(), m.source) == devices.end()) {
            devices.push_back(m.source);
        }
    }
    for (const std::string& device : devices) {
        if (const std::string why = waitUntilClosed(device); !why.empty()) {
            return why + " after its unmount; wait until it closes it and try again";
        }
    }
    return {};
}

} // namespace diskutil

#include "DeviceUse.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace diskutil {
namespace {

bool isNumber(const char* name) {
    if (*name == '\0') {
        return false;
    }
    for (const char* c = name; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') {
            return false;
        }
    }
    return true;
}

} // namespace

std::string DeviceUse::whoUses(const std::string& device) const {
    // A probe of the device (blkid, another listing) holds it for a moment; a driver holds it
    // for good. Only a use seen throughout a second counts.
    std::string use = useNow(device);
    for (int check = 0; check < 5 && !use.empty(); ++check) {
        ::usleep(200000);
        use = useNow(device);
    }
    return use;
}

std::string DeviceUse::useNow(const std::string& device) const {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) {
        return {};
    }
    // The kernel refuses an exclusive open of a device that a mounted file system (or device
    // mapper, RAID, swap) has claimed.
    const int fd = ::open(device.c_str(), O_RDONLY | O_EXCL | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && errno == EBUSY) {
        return "in use by the system (mounted or claimed)";
    }
    if (fd >= 0) {
        ::close(fd);
    }
    // A FUSE driver claims nothing: it only holds the device open.
    if (const std::string holder = holderOf(static_cast<unsigned long>(st.st_rdev));
        !holder.empty()) {
        return "held open by " + holder;
    }
    return {};
}

std::string DeviceUse::holderOf(unsigned long rdev) const {
    DIR* processes = ::opendir(proc_.c_str());
    if (processes == nullptr) {
        return {};
    }
    const std::string self = std::to_string(::getpid());
    std::string found;
    while (found.empty()) {
        const dirent* process = ::readdir(processes);
        if (process == nullptr) {
            break;
        }
        if (!isNumber(process->d_name) || self == process->d_name) {
            continue;
        }
        const std::string base = proc_ + "/" + process->d_name;
        const int fds = ::open((base + "/fd").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        DIR* list = fds >= 0 ? ::fdopendir(fds) : nullptr;
        if (list == nullptr) {
            if (fds >= 0) {
                ::close(fds);
            }
            continue; // gone meanwhile, or not ours to read
        }
        while (const dirent* entry = ::readdir(list)) {
            struct stat st {};
            // Follows the descriptor's link to the open file itself.
            if (isNumber(entry->d_name) && ::fstatat(fds, entry->d_name, &st, 0) == 0 &&
                S_ISBLK(st.st_mode) && st.st_rdev == rdev) {
                std::ifstream comm(base + "/comm");
                std::string name;
                std::getline(comm, name);
                found = "process " + std::string(process->d_name) + " (" + name + ")";
                break;
            }
        }
        ::closedir(list);
    }
    ::closedir(processes);
    return found;
}

} // namespace diskutil

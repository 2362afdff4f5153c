#include "LoopImage.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testsupport {
namespace {

bool programExists(const std::string& name) {
    for (const char* dir : {"/usr/sbin/", "/usr/bin/", "/sbin/", "/bin/"}) {
        if (::access((std::string(dir) + name).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

// True when PATH is a mount point listed in /proc/self/mountinfo.
bool isMountPoint(const std::string& path) {
    std::ifstream info("/proc/self/mountinfo");
    std::string line;
    while (std::getline(info, line)) {
        // Field 5 is the mount point; spaces in it are escaped as \040, ours have none.
        std::size_t pos = 0;
        for (int field = 0; field < 4 && pos != std::string::npos; ++field) {
            pos = line.find(' ', pos + 1);
        }
        if (pos == std::string::npos) {
            continue;
        }
        std::size_t end = line.find(' ', pos + 1);
        if (line.substr(pos + 1, end - pos - 1) == path) {
            return true;
        }
    }
    return false;
}

[[noreturn]] void fail(const std::string& what, const std::string& output = {}) {
    throw std::runtime_error(what + (output.empty() ? "" : ": " + output));
}

} // namespace

const char* LoopImage::name(FileSystem fs) {
    switch (fs) {
    case FileSystem::Ext4:
        return "ext4";
    case FileSystem::Vfat:
        return "vfat";
    case FileSystem::Exfat:
        return "exfat";
    case FileSystem::Btrfs:
        return "btrfs";
    }
    return "?";
}

std::string LoopImage::unavailableReason(FileSystem fs) {
    if (::geteuid() != 0) {
        return "needs root (loop devices and mounts)";
    }
    std::vector<std::string> needed;
    switch (fs) {
    case FileSystem::Ext4:
        needed = {"mkfs.ext4", "losetup", "mount", "umount"};
        break;
    case FileSystem::Vfat:
        needed = {"mkfs.vfat", "fusefat", "fusermount"};
        break;
    case FileSystem::Exfat:
        needed = {"mkfs.exfat", "mount.exfat-fuse", "losetup", "umount"};
        break;
    case FileSystem::Btrfs:
        needed = {"mkfs.btrfs", "losetup", "mount", "umount"};
        break;
    }
    for (const std::string& program : needed) {
        if (!programExists(program)) {
            return program + " is not installed";
        }
    }
    const bool fuse = fs == FileSystem::Vfat || fs == FileSystem::Exfat;
    if (fuse && ::access("/dev/fuse", R_OK | W_OK) != 0) {
        return "/dev/fuse is not available";
    }
    if (fs != FileSystem::Vfat && ::access("/dev/loop-control", R_OK | W_OK) != 0) {
        return "/dev/loop-control is not available";
    }
    return {};
}

int LoopImage::run(const std::vector<std::string>& argv, std::string* output) {
    char outName[] = "/tmp/loopimage-out.XXXXXX";
    int outFd = ::mkstemp(outName);
    if (outFd < 0) {
        return -1;
    }
    ::unlink(outName);
    pid_t child = ::fork();
    if (child < 0) {
        ::close(outFd);
        return -1;
    }
    if (child == 0) {
        ::dup2(outFd, STDOUT_FILENO);
        ::dup2(outFd, STDERR_FILENO);
        int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, STDIN_FILENO);
        std::vector<char*> args;
        for (const std::string& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (output != nullptr) {
        output->clear();
        ::lseek(outFd, 0, SEEK_SET);
        char buf[4096];
        ssize_t n;
        while ((n = ::read(outFd, buf, sizeof buf)) > 0) {
            output->append(buf, std::size_t(n));
        }
    }
    ::close(outFd);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

LoopImage::LoopImage(FileSystem fs, std::uint64_t size) : fs_(fs) {
    char templ[] = "/tmp/loopimage.XXXXXX";
    if (::mkdtemp(templ) == nullptr) {
        fail(std::string("mkdtemp: ") + std::strerror(errno));
    }
    folder_ = templ;
    imagePath_ = folder_ + "/image";
    mountPoint_ = folder_ + "/mnt";
    try {
        if (::mkdir(mountPoint_.c_str(), 0700) != 0) {
            fail(std::string("mkdir: ") + std::strerror(errno));
        }
        int fd = ::open(imagePath_.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0 || ::ftruncate(fd, off_t(size)) != 0) {
            fail(std::string("create image: ") + std::strerror(errno));
        }
        ::close(fd);
        std::vector<std::string> mkfs;
        switch (fs) {
        case FileSystem::Ext4:
            mkfs = {"mkfs.ext4", "-q", "-F", imagePath_};
            break;
        case FileSystem::Vfat:
            mkfs = {"mkfs.vfat", imagePath_};
            break;
        case FileSystem::Exfat:
            mkfs = {"mkfs.exfat", imagePath_};
            break;
        case FileSystem::Btrfs:
            mkfs = {"mkfs.btrfs", "-q", "-f", imagePath_};
            break;
        }
        std::string out;
        if (run(mkfs, &out) != 0) {
            fail(mkfs[0] + " failed", out);
        }
    } catch (...) {
        cleanUp();
        throw;
    }
}

LoopImage::~LoopImage() {
    cleanUp();
}

void LoopImage::mount() {
    if (mounted_) {
        return;
    }
    std::string out;
    if (fs_ != FileSystem::Vfat) {
        if (run({"losetup", "-f", "--show", imagePath_}, &out) != 0) {
            fail("losetup failed", out);
        }
        loopDevice_ = out.substr(0, out.find('\n'));
    }
    if (fs_ == FileSystem::Ext4 || fs_ == FileSystem::Btrfs) {
        if (run({"mount", "-t", name(fs_), loopDevice_, mountPoint_}, &out) != 0) {
            fail("mount failed", out);
        }
    } else if (fs_ == FileSystem::Exfat) {
        if (run({"mount.exfat-fuse", loopDevice_, mountPoint_}, &out) != 0) {
            fail("mount.exfat-fuse failed", out);
        }
    } else {
        // fusefat stays in the foreground as our child, so unmount() can wait for it to have
        // written everything back before the image is read. "rw+" is its read-write mode.
        fuseChild_ = ::fork();
        if (fuseChild_ < 0) {
            fail(std::string("fork: ") + std::strerror(errno));
        }
        if (fuseChild_ == 0) {
            int devNull = ::open("/dev/null", O_RDWR);
            ::dup2(devNull, STDIN_FILENO);
            ::dup2(devNull, STDOUT_FILENO);
            ::dup2(devNull, STDERR_FILENO);
            ::execlp("fusefat", "fusefat", "-f", "-o", "rw+", imagePath_.c_str(),
                     mountPoint_.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!isMountPoint(mountPoint_)) {
            int status;
            if (::waitpid(fuseChild_, &status, WNOHANG) == fuseChild_) {
                fuseChild_ = -1;
                fail("fusefat exited before mounting");
            }
            if (std::chrono::steady_clock::now() > deadline) {
                fail("fusefat did not mount within 10 s");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    mounted_ = true;
}

void LoopImage::unmount() {
    if (!mounted_) {
        return;
    }
    std::string out;
    ::sync();
    int rc = fs_ == FileSystem::Vfat ? run({"fusermount", "-u", mountPoint_}, &out)
                                     : run({"umount", mountPoint_}, &out);
    if (rc != 0) {
        fail("unmount failed", out);
    }
    mounted_ = false;
    if (fuseChild_ > 0) {
        int status;
        while (::waitpid(fuseChild_, &status, 0) < 0 && errno == EINTR) {
        }
        fuseChild_ = -1;
    }
    if (!loopDevice_.empty()) {
        // exfat-fuse may still hold the device for a moment after the unmount returns.
        for (int attempt = 0; attempt < 50; ++attempt) {
            if (run({"losetup", "-d", loopDevice_}, &out) == 0) {
                loopDevice_.clear();
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (!loopDevice_.empty()) {
            fail("losetup -d failed", out);
        }
    }
    ::sync();
}

void LoopImage::cleanUp() noexcept {
    if (mounted_) {
        std::string out;
        if (fs_ == FileSystem::Vfat) {
            run({"fusermount", "-u", "-z", mountPoint_}, &out);
        } else if (run({"umount", mountPoint_}, &out) != 0) {
            run({"umount", "-l", mountPoint_}, &out);
        }
        mounted_ = false;
    }
    if (fuseChild_ > 0) {
        ::kill(fuseChild_, SIGTERM);
        int status;
        ::waitpid(fuseChild_, &status, 0);
        fuseChild_ = -1;
    }
    if (!loopDevice_.empty()) {
        std::string out;
        for (int attempt = 0; attempt < 20 && run({"losetup", "-d", loopDevice_}, &out) != 0;
             ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        loopDevice_.clear();
    }
    if (!folder_.empty() && !isMountPoint(mountPoint_)) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

std::size_t LoopImage::count(const std::string& needle) const {
    if (needle.empty()) {
        return 0;
    }
    std::ifstream image(imagePath_, std::ios::binary);
    if (!image) {
        throw std::runtime_error("cannot read " + imagePath_);
    }
    // Read in large pieces; each keeps the tail of the one before, so a needle that straddles
    // two pieces is still found (and never counted twice).
    const std::size_t piece = 4 << 20;
    const std::size_t keep = needle.size() - 1;
    std::string window;
    std::vector<char> buf(piece);
    std::size_t found = 0;
    while (image) {
        image.read(buf.data(), std::streamsize(piece));
        std::streamsize got = image.gcount();
        if (got <= 0) {
            break;
        }
        window.append(buf.data(), std::size_t(got));
        for (std::size_t at = window.find(needle); at != std::string::npos;
             at = window.find(needle, at + 1)) {
            ++found;
        }
        window.erase(0, window.size() > keep ? window.size() - keep : 0);
    }
    return found;
}

std::size_t LoopImage::countName(const std::string& name) const {
    // FAT long names and exFAT names are UTF-16LE cut into slots of 13 and 15 characters with
    // entry headers in between: only the first five characters are sure to lie together.
    std::string wide;
    for (char c : name.substr(0, 5)) {
        wide.push_back(c);
        wide.push_back('\0');
    }
    return count(name) + count(wide);
}

} // namespace testsupport

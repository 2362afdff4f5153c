#include "LoopImage.h"

#include "VolumeUnmounter.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
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
    case FileSystem::Ntfs:
        return "ntfs";
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
    case FileSystem::Ntfs:
        needed = {"mkfs.ntfs", "ntfs-3g", "losetup", "umount"};
        break;
    }
    for (const std::string& program : needed) {
        if (!programExists(program)) {
            return program + " is not installed";
        }
    }
    const bool fuse = fs == FileSystem::Vfat || fs == FileSystem::Exfat || fs == FileSystem::Ntfs;
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
        case FileSystem::Ntfs:
            mkfs = {"mkfs.ntfs", "-Q", "-F", "-L", "OLDNTFS", imagePath_};
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
    contentRead_ = false;
    content_.clear();
    std::string out;
    if (fs_ != FileSystem::Vfat) {
        if (run({"losetup", "-f", "--show", imagePath_}, &out) != 0) {
            fail("losetup failed", out);
        }
        loopDevice_ = out.substr(0, out.find('\n'));
    }
    if (fs_ == FileSystem::Ext4 || fs_ == FileSystem::Btrfs) {
        std::vector<std::string> argv{"mount", "-t", name(fs_)};
        if (!mountOptions_.empty()) {
            argv.insert(argv.end(), {"-o", mountOptions_});
        }
        argv.insert(argv.end(), {loopDevice_, mountPoint_});
        if (run(argv, &out) != 0) {
            fail("mount failed", out);
        }
    } else if (fs_ == FileSystem::Exfat) {
        if (run({"mount.exfat-fuse", loopDevice_, mountPoint_}, &out) != 0) {
            fail("mount.exfat-fuse failed", out);
        }
    } else if (fs_ == FileSystem::Ntfs) {
        if (run({"ntfs-3g", loopDevice_, mountPoint_}, &out) != 0) {
            fail("ntfs-3g failed", out);
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
        // exfat-fuse still writes to the device for a moment after the unmount returns; the
        // image is read only once it is done.
        if (const std::string why = diskutil::VolumeUnmounter::waitUntilClosed(loopDevice_);
            !why.empty()) {
            fail(why);
        }
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
    return countGroups({{needle}}).front();
}

std::vector<std::size_t>
LoopImage::countGroups(const std::vector<std::vector<std::string>>& groups) const {
    // The whole image is read once per unmount and searched in memory: proofs look for many
    // needles in small images.
    if (!contentRead_) {
        std::ifstream image(imagePath_, std::ios::binary);
        if (!image) {
            throw std::runtime_error("cannot read " + imagePath_);
        }
        content_.assign(std::istreambuf_iterator<char>(image), std::istreambuf_iterator<char>());
        contentRead_ = true;
    }
    std::vector<std::size_t> found(groups.size(), 0);
    const char* data = content_.data();
    const std::size_t size = content_.size();
    if (groups.size() == 1 && groups[0].size() == 1) {
        const std::string& needle = groups[0][0];
        for (const char* at = data; at < data + size;) {
            const void* hit =
                ::memmem(at, std::size_t(data + size - at), needle.data(), needle.size());
            if (hit == nullptr) {
                break;
            }
            ++found[0];
            at = static_cast<const char*>(hit) + 1;
        }
        return found;
    }
    // Only offsets whose first two bytes start some needle are compared in full.
    struct Needle {
        const std::string* text;
        std::size_t group;
    };
    std::vector<std::vector<Needle>> byStart(65536);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (const std::string& needle : groups[g]) {
            if (needle.size() >= 2) {
                byStart[static_cast<unsigned char>(needle[0]) |
                        (static_cast<unsigned char>(needle[1]) << 8)]
                    .push_back({&needle, g});
            }
        }
    }
    for (std::size_t at = 0; at + 2 <= size; ++at) {
        const std::vector<Needle>& candidates =
            byStart[static_cast<unsigned char>(data[at]) |
                    (static_cast<unsigned char>(data[at + 1]) << 8)];
        for (const Needle& needle : candidates) {
            if (at + needle.text->size() <= size &&
                std::memcmp(data + at, needle.text->data(), needle.text->size()) == 0) {
                ++found[needle.group];
            }
        }
    }
    return found;
}

namespace {

std::u16string utf16Of(const std::string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::uint32_t cp = c;
        std::size_t length = 1;
        if (c >= 0xF0) {
            cp = c & 0x07, length = 4;
        } else if (c >= 0xE0) {
            cp = c & 0x0F, length = 3;
        } else if (c >= 0xC0) {
            cp = c & 0x1F, length = 2;
        }
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(char16_t(0xD800 + (cp >> 10)));
            out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(char16_t(cp));
        }
        i += length;
    }
    return out;
}

std::string littleEndian(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(char(c & 0xFF));
        out.push_back(char(c >> 8));
    }
    return out;
}

std::vector<std::string> wideRuns(const std::string& name) {
    const std::u16string wide = utf16Of(name);
    std::vector<std::string> runs;
    for (std::size_t i = 0; i + 5 <= wide.size(); ++i) {
        runs.push_back(littleEndian(wide.substr(i, 5)));
    }
    return runs;
}

// The 8.3 alias FAT drivers make for a long name starts with its first six valid characters
// in upper case, then "~".
std::string aliasTail(const std::string& name) {
    std::string base;
    for (char c : name.substr(0, name.rfind('.'))) {
        if (c >= 'a' && c <= 'z') {
            c = char(c - 'a' + 'A');
        }
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || std::strchr("!#$%&'()-@^_`{}", c)) {
            base.push_back(c);
        }
    }
    return base.size() < 6 ? std::string() : base.substr(1, 5) + "~";
}

// An 8.3 name as its FAT entry holds it (base and extension padded to 8 and 3, upper case),
// without the first character; empty for names that are not 8.3.
std::string shortEntry(const std::string& name) {
    const std::size_t dot = name.find('.');
    const std::string base = name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3 || ext.find('.') != std::string::npos ||
        name.find(' ') != std::string::npos) {
        return {};
    }
    std::string entry =
        base + std::string(8 - base.size(), ' ') + ext + std::string(3 - ext.size(), ' ');
    for (char& c : entry) {
        if (c >= 'a' && c <= 'z') {
            c = char(c - 'a' + 'A');
        }
    }
    return entry.substr(1);
}

} // namespace

std::size_t LoopImage::countNameTraces(const std::string& name,
                                       const std::vector<std::string>& others) const {
    return countNameTraces(std::vector<std::string>{name}, others).front();
}

std::vector<std::size_t> LoopImage::countNameTraces(const std::vector<std::string>& names,
                                                    const std::vector<std::string>& others) const {
    std::vector<std::vector<std::string>> groups;
    for (const std::string& name : names) {
        std::vector<std::string> shared;
        for (const std::string& other : others) {
            if (other != name) {
                const std::vector<std::string> runs = wideRuns(other);
                shared.insert(shared.end(), runs.begin(), runs.end());
            }
        }
        std::vector<std::string> needles{name};
        for (const std::string& run : wideRuns(name)) {
            if (std::find(shared.begin(), shared.end(), run) == shared.end() &&
                std::find(needles.begin(), needles.end(), run) == needles.end()) {
                needles.push_back(run);
            }
        }
        for (const std::string& form : {aliasTail(name), shortEntry(name)}) {
            if (!form.empty()) {
                needles.push_back(form);
            }
        }
        groups.push_back(needles);
    }
    return countGroups(groups);
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

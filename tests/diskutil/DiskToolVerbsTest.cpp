// The disk tool's verbs on real file systems: format to each file system this machine can make,
// name and rename, unmount, mount and eject; and the names each file system refuses.
#include "Article.h"
#include "LoopImage.h"
#include "VolumeLabelRules.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using diskutil::VolumeLabelRules;
using testsupport::LoopImage;

int diskutil(const std::vector<std::string>& args, std::string* output = nullptr) {
    std::vector<std::string> argv{DISKUTIL_PROGRAM};
    argv.insert(argv.end(), args.begin(), args.end());
    return LoopImage::run(argv, output);
}

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

std::string blkid(const std::string& tag, const std::string& device) {
    std::string out;
    LoopImage::run({"blkid", "-p", "-s", tag, "-o", "value", device}, &out);
    return trimmed(out);
}

std::string mountPointOf(const std::string& device) {
    std::string out;
    LoopImage::run({"findmnt", "-n", "-o", "TARGET", "--source", device}, &out);
    return trimmed(out.substr(0, out.find('\n')));
}

std::string rootDevice() {
    std::string out;
    LoopImage::run({"findmnt", "-n", "-o", "SOURCE", "/"}, &out);
    out = trimmed(out);
    return out.compare(0, 5, "/dev/") == 0 ? out : std::string();
}

bool have(const std::string& program) {
    return LoopImage::run({"sh", "-c", "command -v " + program + " >/dev/null"}) == 0;
}

TEST(DiskToolLabelRules, EachFileSystemRefusesTheNamesItCannotHold) {
    EXPECT_EQ(VolumeLabelRules::normalised("vfat", "usb stick"), "USB STICK");
    EXPECT_EQ(VolumeLabelRules::normalised("exfat", "usb stick"), "usb stick");
    for (const char* type : {"vfat", "exfat", "ntfs", "ext4", "btrfs", "xfs"}) {
        EXPECT_NE(VolumeLabelRules::whyInvalid(type, ""), "") << type;
        EXPECT_NE(VolumeLabelRules::whyInvalid(type, "-n"), "") << type << ": an option";
        EXPECT_NE(VolumeLabelRules::whyInvalid(type, "tab\there"), "") << type;
        EXPECT_NE(VolumeLabelRules::whyInvalid(type, "bad\xff"), "") << type << ": not UTF-8";
        EXPECT_EQ(VolumeLabelRules::whyInvalid(type, "Data 1"), "") << type;
    }
    // Lengths: FAT 11, exFAT 15 characters (UTF-16), NTFS 128, ext 16 bytes, xfs 12 bytes.
    EXPECT_EQ(VolumeLabelRules::whyInvalid("vfat", "ELEVENCHARS"), "");
    EXPECT_NE(VolumeLabelRules::whyInvalid("vfat", "TWELVE CHARS"), "");
    EXPECT_NE(VolumeLabelRules::whyInvalid("vfat", "A:B"), "");
    EXPECT_NE(VolumeLabelRules::whyInvalid("vfat", "CAF\xc3\x89"), "") << "beyond plain ASCII";
    EXPECT_EQ(VolumeLabelRules::whyInvalid("exfat", "Fotos d\xc3\xa9j\xc3\xa0 vues"), "")
        << "15 characters in 18 bytes";
    EXPECT_NE(VolumeLabelRules::whyInvalid("exfat", "sixteen chars ok"), "");
    EXPECT_NE(VolumeLabelRules::whyInvalid("ntfs", "a/b"), "");
    EXPECT_EQ(VolumeLabelRules::whyInvalid("ntfs", std::string(128, 'n')), "");
    EXPECT_NE(VolumeLabelRules::whyInvalid("ntfs", std::string(129, 'n')), "");
    EXPECT_EQ(VolumeLabelRules::whyInvalid("ext4", "sixteen bytes ok"), "");
    EXPECT_NE(VolumeLabelRules::whyInvalid("ext4", "d\xc3\xa9j\xc3\xa0 vu fifteen"), "")
        << "15 characters in 17 bytes";
    EXPECT_NE(VolumeLabelRules::whyInvalid("xfs", "thirteen char"), "");
    // The refusal reads as spoken: "an ext4 volume", "a vfat volume".
    const std::string ext = VolumeLabelRules::whyInvalid("ext4", std::string(17, 'e'));
    EXPECT_EQ(ext.rfind("the name of an ext4 volume has at most 16 bytes", 0), 0u) << ext;
    const std::string fat = VolumeLabelRules::whyInvalid("vfat", std::string(12, 'F'));
    EXPECT_EQ(fat.find("an vfat"), std::string::npos) << fat;
    for (const char* an : {"exfat", "ntfs", "xfs", "ext2"}) {
        EXPECT_EQ(diskutil::Article::before(an), std::string("an ") + an);
    }
    for (const char* a : {"btrfs", "vfat", "FAT32", "new"}) {
        EXPECT_EQ(diskutil::Article::before(a), std::string("a ") + a);
    }
}

// One mounted loop device formatted to each file system whose tools are here, named, and
// renamed; it stays mounted where it was throughout.
TEST(DiskToolVerbs, FormatsToEachFileSystemAndRenamesIt) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty()) {
        GTEST_SKIP() << why;
    }
    LoopImage image(LoopImage::FileSystem::Ext4, 320u << 20); // xfs needs 300 MB
    image.mount();
    const std::string device = trimmed([&] {
        std::string out;
        LoopImage::run({"findmnt", "-n", "-o", "SOURCE", image.mountPoint()}, &out);
        return out;
    }());
    struct Case {
        const char* format;
        const char* tool; // what makes it
        const char* type; // what blkid reads
        const char* name;
        const char* label; // what the device holds
    };
    const Case cases[] = {
        {"ext4", "mkfs.ext4", "ext4", "Data Disk", "Data Disk"},
        {"MS-DOS FAT32", "mkfs.vfat", "vfat", "usb stick", "USB STICK"},
        {"ExFAT", "mkfs.exfat", "exfat", "Photos 2026", "Photos 2026"},
        {"NTFS", "mkfs.ntfs", "ntfs", "Windows Data", "Windows Data"},
        {"btrfs", "mkfs.btrfs", "btrfs", "pool", "pool"},
        {"xfs", "mkfs.xfs", "xfs", "xfsvol", "xfsvol"},
    };
    int made = 0;
    for (const Case& c : cases) {
        if (!have(c.tool)) {
            continue;
        }
        std::string out;
        ASSERT_EQ(diskutil({"eraseVolume", c.format, c.name, device}, &out), 0) << out;
        EXPECT_EQ(blkid("TYPE", device), c.type);
        EXPECT_EQ(blkid("LABEL", device), c.label) << c.format;
        EXPECT_EQ(mountPointOf(device), image.mountPoint()) << c.format;
        ASSERT_EQ(diskutil({"rename", device, "renamed"}, &out), 0) << c.format << ": " << out;
        EXPECT_EQ(blkid("LABEL", device), std::string(c.type) == "vfat" ? "RENAMED" : "renamed");
        EXPECT_EQ(mountPointOf(device), image.mountPoint()) << c.format << ": mounted again";
        ++made;
    }
    EXPECT_GE(made, 4);

    // A name the file system cannot hold is refused, and the volume keeps its name.
    std::string err;
    EXPECT_EQ(diskutil({"rename", device, "far too long for this one"}, &err), 1);
    EXPECT_NE(err.find("at most"), std::string::npos) << err;
    EXPECT_EQ(diskutil({"eraseVolume", "MS-DOS FAT32", "A:B", device}, &err), 1);
    EXPECT_NE(err.find("may not hold :"), std::string::npos) << err;
    EXPECT_EQ(blkid("LABEL", device), "renamed");
    ASSERT_EQ(diskutil({"eraseVolume", "ext4", "back", device}), 0);

    // Handed a link, the tools are handed the kernel's node: the link could point elsewhere by
    // the time mkfs opens it.
    char folder[] = "/tmp/diskutil-link-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string link = std::string(folder) + "/volume";
    ASSERT_EQ(::symlink(device.c_str(), link.c_str()), 0);
    std::string out;
    ASSERT_EQ(diskutil({"eraseVolume", "ext4", "linked", link}, &out), 0) << out;
    EXPECT_NE(out.find("Formatting " + device + " as ext4"), std::string::npos) << out;
    EXPECT_EQ(blkid("LABEL", device), "linked");
    ::unlink(link.c_str());
    ::rmdir(folder);
}

// A FUSE driver goes on writing to its device for a moment after its unmount returned. Here a
// process plays that part: it has the device open and writes over the start of the device
// 600 ms after the unmount. A new file system must be made after that write, not under it, and
// an unmount is done only when the device is closed.
TEST(DiskToolVerbs, WaitsUntilTheLastDriverHasClosedTheDevice) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty()) {
        GTEST_SKIP() << why;
    }
    LoopImage image(LoopImage::FileSystem::Ext4, 32u << 20);
    image.mount();
    const std::string device = trimmed([&] {
        std::string out;
        LoopImage::run({"findmnt", "-n", "-o", "SOURCE", image.mountPoint()}, &out);
        return out;
    }());
    for (const bool format : {true, false}) {
        int opened[2], closing[2];
        ASSERT_EQ(::pipe(opened), 0);
        ASSERT_EQ(::pipe2(closing, O_NONBLOCK), 0);
        const pid_t driver = ::fork();
        if (driver == 0) {
            const int fd = ::open(device.c_str(), O_RDWR);
            char byte = fd >= 0 ? 1 : 0;
            (void)!::write(opened[1], &byte, 1);
            while (fd >= 0 && !mountPointOf(device).empty()) {
                ::usleep(5000);
            }
            ::usleep(600000);
            const std::string last(64 << 10, '\xAA');
            byte = ::pwrite(fd, last.data(), last.size(), 0) == ssize_t(last.size()) &&
                   ::fsync(fd) == 0;
            (void)!::write(closing[1], &byte, 1);
            ::close(fd);
            ::_exit(0);
        }
        ::close(opened[1]);
        ::close(closing[1]);
        char byte = 0;
        ASSERT_EQ(::read(opened[0], &byte, 1), 1);
        ::close(opened[0]);
        ASSERT_EQ(byte, 1) << "the driver could not open " << device;
        std::string out;
        const int status = format ? diskutil({"eraseVolume", "ext4", "after", device}, &out)
                                  : diskutil({"unmount", device}, &out);
        byte = 0;
        EXPECT_EQ(::read(closing[0], &byte, 1), 1) << "the driver still had the device open";
        EXPECT_EQ(byte, 1) << "the driver's last write";
        ::close(closing[0]);
        ::waitpid(driver, nullptr, 0);
        ASSERT_EQ(status, 0) << out;
        if (format) {
            EXPECT_EQ(blkid("TYPE", device), "ext4") << "made after the driver's last write";
            EXPECT_EQ(blkid("LABEL", device), "after");
            EXPECT_EQ(mountPointOf(device), image.mountPoint());
        }
    }
}

// Its own loop device (not the shared image helper's: after an eject the number is free, and
// another test may hold it by the time anything would detach it again).
TEST(DiskToolVerbs, UnmountsMountsAndEjectsAndRefusesWhatTheSystemNeeds) {
    if (::geteuid() != 0 || !have("losetup") || !have("mkfs.ext4")) {
        GTEST_SKIP() << "needs root, losetup and mkfs.ext4";
    }
    char folder[] = "/tmp/korvane-eject.XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string image = std::string(folder) + "/disk.img";
    const std::string label = "EJ" + std::to_string(::getpid() % 100000);
    ASSERT_EQ(LoopImage::run({"truncate", "-s", "24M", image}), 0);
    ASSERT_EQ(LoopImage::run({"mkfs.ext4", "-q", "-L", label, image}), 0);
    std::string device;
    ASSERT_EQ(LoopImage::run({"losetup", "-f", "--show", image}, &device), 0);
    device = trimmed(device);
    const std::string media = "/media/" + label;
    // Whatever step fails, the volume, the loop device and the image do not outlive the test.
    struct LeftBehind {
        std::string media, device, image, folder;
        ~LeftBehind() {
            if (!mountPointOf(device).empty())
                LoopImage::run({"umount", media});
            std::string attached;
            LoopImage::run({"losetup", "-j", image}, &attached);
            if (!attached.empty())
                LoopImage::run({"losetup", "-d", device});
            ::rmdir(media.c_str());
            std::system(("rm -rf '" + folder + "'").c_str());
        }
    } leftBehind{media, device, image, folder};

    std::string out;
    EXPECT_EQ(diskutil({"unmount", device}, &out), 1) << "not mounted yet";
    ASSERT_EQ(diskutil({"mount", device}, &out), 0) << out;
    EXPECT_EQ(trimmed(out), media);
    EXPECT_EQ(mountPointOf(device), media);
    EXPECT_EQ(diskutil({"mount", device}, &out), 1) << "mounted once only";
    ASSERT_EQ(diskutil({"unmount", device}, &out), 0) << out;
    EXPECT_EQ(mountPointOf(device), "");
    struct stat st {};
    EXPECT_NE(::lstat(media.c_str(), &st), 0) << "its empty mount point goes with it";

    // A mount point stands for its device: the tool's unmount, and korvane's.
    ASSERT_EQ(diskutil({"mount", device}, &out), 0) << out;
    EXPECT_EQ(diskutil({"mount", media}, &out), 1) << "mounted once only: " << out;
    ASSERT_EQ(diskutil({"unmount", media}, &out), 0) << out;
    EXPECT_EQ(mountPointOf(device), "");
    ASSERT_EQ(diskutil({"mount", device}, &out), 0) << out;
    ASSERT_EQ(
        LoopImage::run(
            {"sh", "-c", "'" KORVANE_PROGRAM "' unmount '" + media + "' </dev/null 2>&1"}, &out),
        0)
        << out;
    EXPECT_EQ(mountPointOf(device), "");
    EXPECT_EQ(out.find("not a block device"), std::string::npos) << out;

    ASSERT_EQ(diskutil({"mount", device}, &out), 0) << out;
    ASSERT_EQ(diskutil({"eject", device}, &out), 0) << out;
    EXPECT_EQ(mountPointOf(device), "");
    std::string attached;
    LoopImage::run({"losetup", "-j", image}, &attached);
    EXPECT_EQ(attached, "") << "the loop device is let go";

    if (const std::string root = rootDevice(); !root.empty()) {
        for (const char* verb : {"rename", "unmount", "eject"}) {
            std::vector<std::string> args{verb, root};
            if (std::string(verb) == "rename") {
                args.push_back("x");
            }
            EXPECT_EQ(diskutil(args, &out), 1) << verb;
            EXPECT_NE(out.find("the running system needs"), std::string::npos) << verb << out;
        }
        // korvane refuses the system's volume before it asks anything, by the volume tool's
        // rule (stdin is empty: a question would be refused, so this never formats).
        const std::string run =
            "'" KORVANE_PROGRAM "' format '" + root + "' ext4 x </dev/null 2>&1";
        EXPECT_EQ(LoopImage::run({"sh", "-c", run}, &out), 1) << out;
        EXPECT_NE(out.find("the running system needs"), std::string::npos) << out;
        EXPECT_EQ(out.find("[y/N]"), std::string::npos) << "asked before refusing: " << out;
        EXPECT_EQ(out.find("without confirmation"), std::string::npos) << out;
    }
}

// Another program's FUSE driver on a loop device, as fusefat mounts it when not told the
// device's name: the mount table names no device, yet the device is in use.
class ForeignFuseMount {
public:
    ForeignFuseMount() {
        char folder[] = "/tmp/korvane-fuse.XXXXXX";
        if (::mkdtemp(folder) == nullptr) {
            return;
        }
        folder_ = folder;
        image_ = folder_ + "/fat.img";
        mountPoint_ = folder_ + "/mnt";
        ::mkdir(mountPoint_.c_str(), 0700);
        if (LoopImage::run({"truncate", "-s", "16M", image_}) != 0 ||
            LoopImage::run({"mkfs.vfat", "-n", "BEFORE", image_}) != 0 ||
            LoopImage::run({"losetup", "-f", "--show", image_}, &device_) != 0) {
            device_.clear();
            return;
        }
        device_ = trimmed(device_);
        driver_ = ::fork();
        if (driver_ == 0) {
            const int devNull = ::open("/dev/null", O_RDWR);
            ::dup2(devNull, STDOUT_FILENO);
            ::dup2(devNull, STDERR_FILENO);
            ::execlp("fusefat", "fusefat", "-f", "-o", "rw+", device_.c_str(), mountPoint_.c_str(),
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 500 && !mounted(); ++i) {
            ::usleep(20000);
        }
    }
    ~ForeignFuseMount() {
        if (driver_ > 0) {
            LoopImage::run({"fusermount", "-u", mountPoint_});
            ::waitpid(driver_, nullptr, 0);
        }
        if (!device_.empty()) {
            LoopImage::run({"losetup", "-d", device_});
        }
        if (!folder_.empty()) {
            std::system(("rm -rf '" + folder_ + "'").c_str());
        }
    }
    bool mounted() const {
        std::string out;
        LoopImage::run({"findmnt", "-n", "-o", "SOURCE", mountPoint_}, &out);
        return !trimmed(out).empty();
    }
    const std::string& device() const { return device_; }
    const std::string& mountPoint() const { return mountPoint_; }

private:
    std::string folder_, image_, mountPoint_, device_;
    pid_t driver_ = -1;
};

TEST(DiskToolVerbs, ADeviceServedByAnotherProgramsFuseDriverIsNeitherMountedNorNamed) {
    if (::geteuid() != 0 || !have("losetup") || !have("mkfs.vfat") || !have("fusefat") ||
        !have("fatlabel")) {
        GTEST_SKIP() << "needs root, losetup, mkfs.vfat, fusefat and fatlabel";
    }
    ForeignFuseMount fuse;
    ASSERT_FALSE(fuse.device().empty()) << "no loop device";
    ASSERT_TRUE(fuse.mounted()) << "fusefat did not mount " << fuse.device();
    ASSERT_EQ(mountPointOf(fuse.device()), "") << "the table is not to name the device here";

    std::string out;
    EXPECT_EQ(diskutil({"mount", fuse.device()}, &out), 1) << out;
    EXPECT_NE(out.find("not mounted a second time"), std::string::npos) << out;
    EXPECT_EQ(mountPointOf(fuse.device()), "") << "a second driver was put on the device";
    EXPECT_EQ(diskutil({"rename", fuse.device(), "AFTER"}, &out), 1) << out;
    EXPECT_NE(out.find("fusefat"), std::string::npos) << "names what holds it: " << out;
    EXPECT_EQ(blkid("LABEL", fuse.device()), "BEFORE") << "written under a live driver";
    EXPECT_TRUE(fuse.mounted());
}

} // namespace

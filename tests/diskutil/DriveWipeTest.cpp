// The wipe of a whole drive: every byte of a partitioned disk, the table and every signature
// gone, read back; nothing done to a disk with a mounted partition or to the system's disk.
#include "LoopImage.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using testsupport::LoopImage;

bool have(const std::string& program) {
    return LoopImage::run({"sh", "-c", "command -v " + program + " >/dev/null"}) == 0;
}

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

int diskutil(const std::vector<std::string>& args, std::string* out) {
    std::vector<std::string> argv{DISKUTIL_PROGRAM};
    argv.insert(argv.end(), args.begin(), args.end());
    return LoopImage::run(argv, out);
}

void writeAt(const std::string& path, std::uint64_t offset, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(::pwrite(fd, text.data(), text.size(), off_t(offset)), ssize_t(text.size()));
    ::fsync(fd);
    ::close(fd);
}

// A 96 MiB GPT disk image on a loop device with three partitions: two ext4 (the second
// mounted), one without a file system; marked data in each, in the gap after the table and in
// the last sectors. Cleaned up however the test ends.
class PartitionedDisk {
public:
    PartitionedDisk() {
        char folder[] = "/tmp/korvane-drive.XXXXXX";
        if (::mkdtemp(folder) == nullptr)
            return;
        folder_ = folder;
        image_ = folder_ + "/disk.img";
        mountPoint_ = folder_ + "/mnt";
        if (LoopImage::run({"truncate", "-s", "96M", image_}) != 0 ||
            LoopImage::run({"sh", "-c",
                            "printf 'label: gpt\\n,24M\\n,24M\\n,24M\\n' | sfdisk -q '" + image_ +
                                "'"}) != 0 ||
            LoopImage::run({"losetup", "-f", "--show", "-P", image_}, &device_) != 0)
            return;
        device_ = trimmed(device_);
        LoopImage::run({"partx", "-a", device_}); // where the kernel did not scan them itself
        ready_ = LoopImage::run({"mkfs.ext4", "-q", part(1)}) == 0 &&
                 LoopImage::run({"mkfs.ext4", "-q", part(2)}) == 0 &&
                 LoopImage::run({"mkdir", "-p", mountPoint_}) == 0 &&
                 LoopImage::run({"mount", part(2), mountPoint_}) == 0;
    }
    ~PartitionedDisk() {
        LoopImage::run({"umount", mountPoint_});
        if (!device_.empty())
            LoopImage::run({"losetup", "-d", device_});
        if (!folder_.empty())
            LoopImage::run({"rm", "-rf", folder_});
    }
    bool ready() const { return ready_; }
    std::string part(int n) const { return device_ + "p" + std::to_string(n); }
    const std::string& device() const { return device_; }
    const std::string& image() const { return image_; }
    const std::string& mountPoint() const { return mountPoint_; }

private:
    std::string folder_, image_, mountPoint_, device_;
    bool ready_ = false;
};

std::size_t countIn(const std::string& file, const std::string& needle) {
    std::string out;
    LoopImage::run({"sh", "-c", "grep -a -o '" + needle + "' '" + file + "' | wc -l"}, &out);
    return std::size_t(std::atoll(out.c_str()));
}

TEST(DriveWipe, EveryByteOfAPartitionedDiskGoesAndNothingInUseIsTouched) {
    if (::geteuid() != 0 || !have("losetup") || !have("sfdisk") || !have("mkfs.ext4") ||
        !have("wipefs") || !have("partx"))
        GTEST_SKIP() << "needs root, losetup, partx, sfdisk (Debian package fdisk), mkfs.ext4 "
                        "and wipefs";
    PartitionedDisk disk;
    ASSERT_TRUE(disk.ready()) << "the partitioned loop disk could not be made";
    LoopImage::run({"sh", "-c", "echo MARKINFILE > '" + disk.mountPoint() + "/notes'"});
    writeAt(disk.part(3), 5000, "MARKINRAW");
    writeAt(disk.device(), 1024 * 1024 - 512, "MARKINGAP");
    writeAt(disk.device(), 96ull * 1024 * 1024 - 100, "MARKATEND");
    LoopImage::run({"sync"});

    std::string out;
    EXPECT_EQ(diskutil({"wipe", disk.device(), "--level", "1"}, &out), 1);
    EXPECT_NE(out.find("is mounted at"), std::string::npos) << out;
    EXPECT_EQ(diskutil({"wipe", disk.part(2), "--level", "1"}, &out), 1) << out;
    EXPECT_EQ(diskutil({"wipe", disk.device(), "--level", "9"}, &out), 2) << out;
    std::string root;
    LoopImage::run({"findmnt", "-n", "-o", "SOURCE", "/"}, &root);
    if (trimmed(root).rfind("/dev/", 0) == 0) {
        EXPECT_EQ(diskutil({"wipe", trimmed(root), "--level", "1"}, &out), 1);
        EXPECT_NE(out.find("the running system needs"), std::string::npos) << out;
    }
    EXPECT_EQ(countIn(disk.image(), "MARKINRAW"), 1u) << "a refused wipe wrote nothing";

    ASSERT_EQ(LoopImage::run({"umount", disk.mountPoint()}), 0);
    ASSERT_EQ(diskutil({"wipe", disk.device(), "--level", "3", "--verify", "last"}, &out), 0)
        << out;
    EXPECT_NE(out.find("wiped " + disk.device() + " 100663296 passes 4 verified 100663296"),
              std::string::npos)
        << out;
    std::string signatures;
    LoopImage::run({"wipefs", "-n", disk.device()}, &signatures);
    EXPECT_EQ(trimmed(signatures), "") << "wipefs still finds: " << signatures;
    EXPECT_NE(LoopImage::run({"blkid", "-p", disk.device()}), 0) << "blkid still finds something";
    // The kernel removes a dropped partition's node on its own thread, a moment later.
    for (int waited = 0; waited < 20 && ::access(disk.part(1).c_str(), F_OK) == 0; ++waited)
        ::usleep(100 * 1000);
    EXPECT_NE(::access(disk.part(1).c_str(), F_OK), 0) << "the kernel still lists partition 1";
    for (const char* mark : {"MARKINFILE", "MARKINRAW", "MARKINGAP", "MARKATEND"})
        EXPECT_EQ(countIn(disk.image(), mark), 0u) << mark;
}

TEST(DriveWipe, AStopEndsTheWipeBetweenTwoChunksAndSaysHowFarItGot) {
    if (::geteuid() != 0 || !have("losetup"))
        GTEST_SKIP() << "needs root and losetup";
    char folder[] = "/tmp/korvane-drive.XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string image = std::string(folder) + "/big.img";
    std::string device;
    ASSERT_EQ(LoopImage::run({"truncate", "-s", "1G", image}), 0);
    ASSERT_EQ(LoopImage::run({"losetup", "-f", "--show", image}, &device), 0);
    device = trimmed(device);
    const std::string command = std::string("exec '") + DISKUTIL_PROGRAM + "' wipe " + device +
                                " --level 35 --verify none >'" + folder + "/out' 2>&1";
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::usleep(700 * 1000);
    const auto asked = std::chrono::steady_clock::now();
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
    std::string out;
    LoopImage::run({"cat", std::string(folder) + "/out"}, &out);
    LoopImage::run({"losetup", "-d", device});
    LoopImage::run({"rm", "-rf", folder});
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << out;
    EXPECT_LT(seconds, 1.0);
    EXPECT_NE(out.find(" of 36 passes complete)"), std::string::npos) << out;
}

// The disk list tells the sizes a drive is addressed and written in, whether it turns and its
// serial number, as the kernel has them.
TEST(DriveWipe, TheDiskListSaysSectorSizesMediumAndSerial) {
    if (::geteuid() != 0 || !have("losetup"))
        GTEST_SKIP() << "needs root and losetup";
    char folder[] = "/tmp/korvane-drive.XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string image = std::string(folder) + "/4k.img";
    std::string device;
    ASSERT_EQ(LoopImage::run({"truncate", "-s", "16M", image}), 0);
    ASSERT_EQ(LoopImage::run({"losetup", "-f", "--show", "--sector-size", "4096", image}, &device),
              0);
    device = trimmed(device);
    std::string out;
    const int status = diskutil({"disks", "-plist"}, &out);
    LoopImage::run({"losetup", "-d", device});
    LoopImage::run({"rm", "-rf", folder});
    ASSERT_EQ(status, 0) << out;
    const std::size_t at = out.find("<string>" + device + "</string>");
    ASSERT_NE(at, std::string::npos) << out;
    const std::string own = out.substr(at, out.find("</dict>\n\t</dict>", at) - at);
    EXPECT_NE(own.find("<key>LogicalBlockSize</key>\n\t\t<integer>4096</integer>"),
              std::string::npos)
        << own;
    EXPECT_NE(own.find("<key>SolidState</key>"), std::string::npos) << own;
    EXPECT_NE(own.find("<key>Serial</key>"), std::string::npos) << own;
}

} // namespace

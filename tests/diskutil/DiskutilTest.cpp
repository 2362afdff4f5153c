// The volume tool: what it says of mounted volumes, and which devices it never lets anyone
// change.
#include "LoopImage.h"
#include "MountTable.h"
#include "SystemVolumes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::LoopImage;

struct ToolRun {
    int status;
    std::string out;
};

// Runs the tool; standard error goes to ERR when given.
ToolRun diskutil(const std::vector<std::string>& args, std::string* err = nullptr) {
    char outName[] = "/tmp/diskutil-out.XXXXXX", errName[] = "/tmp/diskutil-err.XXXXXX";
    ::close(::mkstemp(outName));
    ::close(::mkstemp(errName));
    std::string command = std::string("'") + DISKUTIL_PROGRAM + "'";
    for (const std::string& arg : args) {
        command += " '" + arg + "'";
    }
    command += std::string(" >") + outName + " 2>" + errName;
    const int status = std::system(command.c_str());
    auto slurp = [](const char* name) {
        std::ifstream in(name);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ::unlink(name);
        return text;
    };
    ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(outName)};
    const std::string errText = slurp(errName);
    if (err != nullptr) {
        *err = errText;
    }
    return run;
}

std::string sourceOf(const std::string& mountPoint) {
    std::string out;
    LoopImage::run({"findmnt", "-no", "SOURCE", mountPoint}, &out);
    while (!out.empty() && out.back() == '\n') {
        out.pop_back();
    }
    return out;
}

// A value of KEY in a property list printed for one volume.
std::string valueOf(const std::string& plist, const std::string& key) {
    const std::size_t at = plist.find("<key>" + key + "</key>");
    if (at == std::string::npos) {
        return "(no key)";
    }
    const std::size_t open = plist.find('>', plist.find('<', at + key.size() + 11)) + 1;
    const std::size_t close = plist.find('<', open);
    return plist.substr(open, close - open);
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::size_t occurrences(const std::string& text, const std::string& needle) {
    std::size_t n = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos;
         at = text.find(needle, at + 1)) {
        ++n;
    }
    return n;
}

TEST(DiskutilTest, DescribesAVolumeByDeviceKernelNameMountPointOrLabelAndListsItOnce) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty()) {
        GTEST_SKIP() << why;
    }
    LoopImage image(LoopImage::FileSystem::Ext4, 32u << 20);
    image.mount();
    const std::string device = sourceOf(image.mountPoint());
    ASSERT_EQ(LoopImage::run({"e2label", device, "KV&<Test>"}), 0);
    // A second mount of the same device (a bind mount) does not make a second volume.
    const std::string bind = image.mountPoint() + "-bind";
    ASSERT_EQ(::mkdir(bind.c_str(), 0755), 0);
    ASSERT_EQ(LoopImage::run({"mount", "--bind", image.mountPoint(), bind}), 0);

    const std::string kernelName = device.substr(device.rfind('/') + 1);
    for (const std::string& name :
         {device, kernelName, image.mountPoint(), std::string("KV&<Test>")}) {
        const ToolRun info = diskutil({"info", "-plist", name});
        EXPECT_EQ(info.status, 0) << name;
        EXPECT_EQ(valueOf(info.out, "DeviceNode"), device) << name;
        EXPECT_EQ(valueOf(info.out, "MountPoint"), image.mountPoint()) << name;
        EXPECT_EQ(valueOf(info.out, "VolumeName"), "KV&amp;&lt;Test&gt;") << name;
        EXPECT_EQ(valueOf(info.out, "FilesystemName"), "ext4");
        EXPECT_EQ(valueOf(info.out, "BusProtocol"), "Disk Image");
        EXPECT_EQ(valueOf(info.out, "ParentWholeDisk"), kernelName);
        EXPECT_GT(std::stoull(valueOf(info.out, "TotalSize")), 20ull << 20);
        EXPECT_GT(std::stoull(valueOf(info.out, "FreeSpace")), 10ull << 20);
        EXPECT_EQ(valueOf(info.out, "VolumeUUID").size(), 36u);
    }
    const ToolRun list = diskutil({"list", "-plist"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(occurrences(list.out, "<string>" + device + "</string>"), 1u) << list.out;

    // Not a volume: nothing on standard output, a message on standard error, a failure status.
    for (const std::string& name : {std::string("/no/such/place"), std::string("no-such-label"),
                                    image.mountPoint() + "/lost+found"}) {
        std::string err;
        const ToolRun none = diskutil({"info", "-plist", name}, &err);
        EXPECT_NE(none.status, 0) << name;
        EXPECT_EQ(none.out, "") << name;
        EXPECT_NE(err.find("not a mounted volume"), std::string::npos) << err;
    }
    LoopImage::run({"umount", bind});
    ::rmdir(bind.c_str());
}

TEST(DiskutilTest, AFuseMountReadsAsTheFileSystemOnTheDevice) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Exfat);
        !why.empty()) {
        GTEST_SKIP() << why;
    }
    LoopImage image(LoopImage::FileSystem::Exfat, 32u << 20);
    image.mount();
    const ToolRun info = diskutil({"info", "-plist", image.mountPoint()});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(valueOf(info.out, "FilesystemName"), "ExFAT") << info.out;
    EXPECT_EQ(valueOf(info.out, "FilesystemType"), "exfat");
}

// Loop devices over throw-away files stand in for disks; a fake mount table and swap list say
// which of them the system would be running from.
class SystemVolumesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0 || LoopImage::run({"losetup", "--version"}) != 0) {
            GTEST_SKIP() << "loop devices need root and losetup";
        }
        char dir[] = "/tmp/systemvolumes.XXXXXX";
        ASSERT_NE(::mkdtemp(dir), nullptr);
        folder = dir;
        for (int i = 0; i < 3; ++i) {
            const std::string file = folder + "/disk" + std::to_string(i);
            ASSERT_EQ(LoopImage::run({"truncate", "-s", "8M", file}), 0);
            std::string out;
            ASSERT_EQ(LoopImage::run({"losetup", "-f", "--show", file}, &out), 0) << out;
            devices.push_back(out.substr(0, out.find('\n')));
        }
    }
    void TearDown() override {
        for (const std::string& device : devices) {
            LoopImage::run({"losetup", "-d", device});
        }
        if (!folder.empty()) {
            LoopImage::run({"rm", "-rf", folder});
        }
    }
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = folder + "/" + name;
        std::ofstream(path) << text;
        return path;
    }

    std::string folder;
    std::vector<std::string> devices;
};

TEST_F(SystemVolumesTest, RefusesTheDevicesTheSystemRunsFromAndAllowsTheOthers) {
    const std::string mountinfo =
        write("mountinfo", "21 1 7:100 / / rw,relatime - ext4 " + devices[0] +
                               " rw\n"
                               "22 21 7:101 / /home rw,relatime - ext4 " +
                               devices[1] + " rw\n");
    const std::string swaps = write("swaps", "Filename\tType\tSize\tUsed\tPriority\n" + devices[2] +
                                                 "\tpartition\t8188\t0\t-2\n");
    const diskutil::MountTable mounts = diskutil::MountTable::read(mountinfo);
    ASSERT_EQ(mounts.entries().size(), 2u);

    const diskutil::SystemVolumes withSwap(mounts, {}, "/sys", swaps);
    EXPECT_NE(withSwap.whyNeeded(devices[0]).find("it holds /"), std::string::npos)
        << withSwap.whyNeeded(devices[0]);
    EXPECT_NE(withSwap.whyNeeded(devices[1]).find("it holds /home"), std::string::npos);
    EXPECT_NE(withSwap.whyNeeded(devices[2]).find("swap"), std::string::npos);

    const diskutil::SystemVolumes noSwap(mounts, {}, "/sys", write("noswaps", "Filename\n"));
    EXPECT_EQ(noSwap.whyNeeded(devices[2]), "") << "a device the system does not need is allowed";
    EXPECT_NE(noSwap.whyNeeded(folder).find("not a block device"), std::string::npos);
}

} // namespace

namespace {

// reformat: the same type and label on a fresh, empty file system, mounted where it was; a
// device that changed since it was listed, or one the system needs, is never touched.
TEST(DiskutilFormatTest, ReformatKeepsTypeAndLabelAndRefusesAnotherDevice) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty()) {
        GTEST_SKIP() << why;
    }
    LoopImage image(LoopImage::FileSystem::Ext4, 32u << 20);
    image.mount();
    const std::string device = sourceOf(image.mountPoint());
    ASSERT_EQ(LoopImage::run({"e2label", device, "KEEPNAME"}), 0);
    std::ofstream(image.mountPoint() + "/old-file.txt") << "old";
    const std::string before = valueOf(diskutil({"info", "-plist", device}).out, "VolumeUUID");

    std::string err;
    EXPECT_EQ(diskutil({"reformat", device, "--uuid", "00000000-0000-0000-0000-000000000000"}, &err)
                  .status,
              1);
    EXPECT_NE(err.find("no longer the volume that was listed"), std::string::npos) << err;
    EXPECT_TRUE(pathExists(image.mountPoint() + "/old-file.txt"));

    const ToolRun done = diskutil({"reformat", device, "--uuid", before}, &err);
    ASSERT_EQ(done.status, 0) << err;
    EXPECT_NE(done.out.find("Mounting disk\n"), std::string::npos) << done.out;
    const ToolRun info = diskutil({"info", "-plist", device});
    EXPECT_EQ(valueOf(info.out, "VolumeName"), "KEEPNAME");
    EXPECT_EQ(valueOf(info.out, "FilesystemName"), "ext4");
    EXPECT_EQ(valueOf(info.out, "MountPoint"), image.mountPoint());
    EXPECT_NE(valueOf(info.out, "VolumeUUID"), before);
    EXPECT_FALSE(pathExists(image.mountPoint() + "/old-file.txt"));

    std::string root;
    LoopImage::run({"findmnt", "-no", "SOURCE", "/"}, &root);
    root = root.substr(0, root.find('\n'));
    if (root.compare(0, 5, "/dev/") == 0) {
        EXPECT_EQ(diskutil({"reformat", root}, &err).status, 1);
        EXPECT_NE(err.find("the running system needs"), std::string::npos) << err;
    }
}

} // namespace

// The firmware erase of the drive wipe. No NVMe, ATA or SCSI drive exists on the test machines:
// each drive tool (nvme, hdparm, sg_opcodes/sg_sanitize/sg_requests, blkdiscard) is stood in for
// by a small shell script written into a folder put first on diskutil's PATH. The scripts
// answer as the real tools print and act on a loop device (an erase fills it with random data
// or zeros with dd), so the verifying read sees real blocks, changed or not.
#include "LoopImage.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using testsupport::LoopImage;

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A 16 MiB loop device over an image of random data with a mark at its start, middle and end,
// and a folder of stand-in tools. Everything goes however the test ends.
class FakeDrive {
public:
    FakeDrive() {
        char folder[] = "/tmp/korvane-sanitize.XXXXXX";
        if (::mkdtemp(folder) == nullptr)
            return;
        folder_ = folder;
        tools_ = folder_ + "/bin";
        image_ = folder_ + "/drive.img";
        ::mkdir(tools_.c_str(), 0700);
        if (LoopImage::run({"dd", "if=/dev/urandom", "of=" + image_, "bs=1M", "count=16",
                            "status=none"}) != 0 ||
            LoopImage::run({"losetup", "-f", "--show", image_}, &device_) != 0)
            return;
        device_ = trimmed(device_);
        for (const std::uint64_t at : {0ull, 8ull << 20, (16ull << 20) - 4096})
            mark(at);
    }
    ~FakeDrive() {
        if (!device_.empty())
            LoopImage::run({"losetup", "-d", device_});
        if (!folder_.empty())
            LoopImage::run({"rm", "-rf", folder_});
    }
    bool ready() const { return !device_.empty(); }
    const std::string& device() const { return device_; }
    const std::string& tools() const { return tools_; }

    // A stand-in for PROGRAM: BODY runs under /bin/sh with $DEV the loop device, $T the tools
    // folder (for the script's state) and the arguments as given.
    void tool(const std::string& program, const std::string& body) const {
        const std::string path = tools_ + "/" + program;
        const std::string script = "#!/bin/sh\nDEV='" + device_ + "'\nT='" + tools_ + "'\n" +
                                   "echo \"$*\" >> \"$T/calls\"\n" + body + "\n";
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0700);
        ASSERT_GE(fd, 0) << path;
        ASSERT_EQ(::write(fd, script.data(), script.size()), ssize_t(script.size()));
        ::close(fd);
    }
    void forget(const std::string& program) const { ::unlink((tools_ + "/" + program).c_str()); }
    // What the stand-ins were asked, one call a line.
    std::string calls() const {
        std::string out;
        LoopImage::run({"cat", tools_ + "/calls"}, &out);
        LoopImage::run({"rm", "-f", tools_ + "/calls"});
        return out;
    }
    // diskutil with the stand-ins first on PATH.
    int diskutil(const std::vector<std::string>& args, std::string* out) const {
        std::vector<std::string> argv{"env", "PATH=" + tools_ + ":/usr/sbin:/usr/bin:/sbin:/bin",
                                      DISKUTIL_PROGRAM};
        argv.insert(argv.end(), args.begin(), args.end());
        return LoopImage::run(argv, out);
    }
    void mark(std::uint64_t at) const {
        const int fd = ::open(device_.c_str(), O_WRONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        const std::string text = "KORVANEMARK";
        ASSERT_EQ(::pwrite(fd, text.data(), text.size(), off_t(at)), ssize_t(text.size()));
        ::fsync(fd);
        ::close(fd);
    }
    std::size_t marks() const {
        LoopImage::run({"sync"});
        std::string out;
        LoopImage::run({"sh", "-c", "grep -a -o KORVANEMARK '" + image_ + "' | wc -l"}, &out);
        return std::size_t(std::atoll(out.c_str()));
    }
    std::string checksum() const {
        LoopImage::run({"sync"});
        std::string out;
        LoopImage::run({"sha1sum", image_}, &out);
        return out.substr(0, 40);
    }

private:
    std::string folder_, tools_, image_, device_;
};

// `nvme` answering id-ctrl with SANICAP, doing ERASE on sanitize and reporting through
// sanitize-log progress 0, 32768, 65535 and then STATUS ("(1) ..." completed).
std::string fakeNvme(int sanicap, const std::string& erase, const std::string& status) {
    return "case \"$1\" in\n"
           "id-ctrl) echo '{ \"vid\" : 5197, \"oacs\" : 23, \"fna\" : 4, \"sanicap\" : " +
           std::to_string(sanicap) +
           ", \"hmminds\" : 0 }' ;;\n"
           "sanitize) " +
           erase +
           "; echo 0 > \"$T/polls\" ;;\n"
           "sanitize-log) n=$(cat \"$T/polls\"); echo $((n + 1)) > \"$T/polls\"\n"
           "  case $n in 0) p=0;; 1) p=32768;; *) p=65535;; esac\n"
           "  s='(2) Sanitize in Progress.'; [ $n -ge 3 ] && s='" +
           status +
           "'\n"
           "  printf '{\"nvme0n1\":{\"sprog\":%d,\"sstat\":{\"global_erased\":1,"
           "\"no_cmplted_passes\":1,\"status\":\"%s\"},\"cdw10_info\":4}}\\n' $p \"$s\" ;;\n"
           "*) exit 1 ;;\n"
           "esac";
}

const char* const kRandomFill =
    "dd if=/dev/urandom of=\"$DEV\" bs=1M count=16 conv=fsync status=none";
const char* const kZeroFill = "dd if=/dev/zero of=\"$DEV\" bs=1M count=16 conv=fsync status=none";
const char* const kCompleted = "(1) Most Recent Sanitize Command Completed Successfully.";

// `hdparm -I` of a solid-state ATA drive with the SANITIZE feature set, FROZEN or not.
std::string ataIdentify(bool frozen) {
    return std::string("\n/dev/sdb:\n\nATA device, with non-removable media\n"
                       "\tModel Number:       KORVANE TEST SSD\n"
                       "Commands/features:\n\tEnabled\tSupported:\n"
                       "\t   *\tSANITIZE feature set\n"
                       "\t   *\tBLOCK_ERASE_EXT command\n"
                       "Security: \n\tMaster password revision code = 65534\n\t\tsupported\n"
                       "\tnot\tenabled\n\tnot\tlocked\n") +
           (frozen ? "\t\tfrozen\n" : "\tnot\tfrozen\n") +
           "\tnot\texpired: security count\nChecksum: correct\n";
}

std::string fakeHdparm(bool frozen, const std::string& hpa) {
    return "case \"$*\" in\n"
           "-I*) cat <<'EOF'\n" +
           ataIdentify(frozen) +
           "EOF\n;;\n"
           "-N*) printf '\\n/dev/sdb:\\n max sectors   = " +
           hpa +
           "\\n' ;;\n"
           "--dco-identify*) printf 'DCO Revision: 0x0002\\n\\tReal max sectors: 40000\\n' ;;\n"
           "*--sanitize-status*) n=$(cat \"$T/polls\"); echo $((n + 1)) > \"$T/polls\"\n"
           "  echo 'Issuing SANITIZE_STATUS command'; echo 'Sanitize status:'\n"
           "  if [ $n -lt 2 ]; then echo '    State:    SD2 Sanitize operation In Process'; "
           "echo '    Progress: 0x8000 (50%)'\n"
           "  else echo '    State:    SD0 Sanitize Idle'; "
           "echo '    Last Sanitize Operation Completed Without Error'; fi ;;\n"
           "*--yes-i-know-what-i-am-doing*) " +
           std::string(kRandomFill) +
           "; echo 0 > \"$T/polls\"; echo 'Operation started in background' ;;\n"
           "*) exit 22 ;;\n"
           "esac";
}

std::vector<std::uint64_t> sanitizeProgress(const std::string& out) {
    std::vector<std::uint64_t> done;
    for (std::size_t at = out.find("progress sanitize 1 1 "); at != std::string::npos;
         at = out.find("progress sanitize 1 1 ", at + 1))
        done.push_back(std::strtoull(out.c_str() + at + 22, nullptr, 10));
    return done;
}

bool canRun() {
    return ::geteuid() == 0 && LoopImage::run({"sh", "-c", "command -v losetup >/dev/null"}) == 0;
}

TEST(DriveSanitize, AutoOverwritesATurningDriveAndSaysWhatLiesPastItsEnd) {
    if (!canRun())
        GTEST_SKIP() << "needs root and losetup";
    FakeDrive drive;
    ASSERT_TRUE(drive.ready());
    drive.tool("hdparm", fakeHdparm(false, "32768/34816, HPA is enabled"));
    // The firmware offers a sanitize, but loop devices turn (queue/rotational 1): auto
    // overwrites, and says the hidden areas an overwrite does not reach.
    drive.tool("nvme", fakeNvme(7, kRandomFill, kCompleted));
    std::string out;
    ASSERT_EQ(drive.diskutil({"sanitize-info", drive.device()}, &out), 0) << out;
    EXPECT_TRUE(contains(out, "medium rotational")) << out;
    EXPECT_TRUE(contains(out, "offer nvme-sanitize-crypto NVMe sanitize, crypto erase")) << out;
    EXPECT_TRUE(contains(out, "offer ata-sanitize-block ATA sanitize, block erase")) << out;
    EXPECT_TRUE(contains(out, "choice auto overwrite")) << out;
    EXPECT_TRUE(contains(out, "choice sanitize sanitize nvme-sanitize-crypto Purge (NVMe sanitize, "
                              "crypto erase)"))
        << out;
    drive.calls();
    EXPECT_EQ(drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "fast"}, &out), 2)
        << out;
    ASSERT_EQ(drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "auto",
                              "--verify", "sample:5"},
                             &out),
              0)
        << out;
    const std::string hidden = "hidden " + drive.device() +
                               " host protected area: 2048 "
                               "sectors past the visible end (an overwrite does not reach them)";
    EXPECT_TRUE(contains(out, hidden)) << out;
    EXPECT_TRUE(contains(out, "hidden " + drive.device() +
                                  " device configuration overlay: 5184 "
                                  "sectors past the visible end"))
        << out;
    EXPECT_LT(out.find("hidden"), out.find("progress pass")) << "said before the work: " << out;
    EXPECT_TRUE(contains(out, "method Clear (2 pass overwrite)")) << out;
    EXPECT_FALSE(contains(drive.calls(), "sanitize " + drive.device())) << "no firmware erase";
    EXPECT_EQ(drive.marks(), 0u);
}

TEST(DriveSanitize, EachFamilyRunsItsPreferredEraseFollowsItAndReadsTheSamplesBack) {
    if (!canRun())
        GTEST_SKIP() << "needs root and losetup";
    FakeDrive drive;
    ASSERT_TRUE(drive.ready());
    struct Round {
        int sanicap;
        const char* fill;
        const char* method;
        const char* asked;
        const char* checked;
    };
    // Crypto erase before block erase before overwrite; the overwrite must leave zeros.
    const Round rounds[] = {
        {7, kRandomFill, "Purge (NVMe sanitize, crypto erase)", "--sanact=4", "read back changed"},
        {6, kRandomFill, "Purge (NVMe sanitize, block erase)", "--sanact=2", "read back changed"},
        {4, kZeroFill, "Purge (NVMe sanitize, overwrite)", "--sanact=3 --owpass=1 --ovrpat=0",
         "read back as zeros"},
    };
    for (const Round& round : rounds) {
        SCOPED_TRACE(round.method);
        drive.tool("nvme", fakeNvme(round.sanicap, round.fill, kCompleted));
        drive.mark(4096);
        std::string out;
        ASSERT_EQ(
            drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "sanitize"}, &out),
            0)
            << out;
        EXPECT_TRUE(contains(out, std::string("method ") + round.method)) << out;
        EXPECT_TRUE(contains(drive.calls(), "sanitize " + drive.device() + " " + round.asked));
        EXPECT_EQ(sanitizeProgress(out), (std::vector<std::uint64_t>{0, 32768, 65535, 65536}))
            << out;
        EXPECT_TRUE(contains(out, std::string("checked 256 of 256 sampled blocks (1048576 bytes, "
                                              "spread over the device) ") +
                                      round.checked))
            << out;
        EXPECT_TRUE(contains(out, "wiped " + drive.device() +
                                      " 16777216 passes 1 verified "
                                      "1048576"))
            << out;
        EXPECT_EQ(drive.marks(), 0u);
    }
    drive.forget("nvme");

    // SCSI: sg_opcodes says which service actions the drive takes, sg_requests follows it.
    drive.tool("sg_opcodes", "case \"$1\" in --opcode=0x48,0x2) echo 'Command is supported "
                             "[conforming to SCSI standard]';; *) echo 'Command not supported';; "
                             "esac");
    drive.tool("sg_sanitize", std::string(kRandomFill) + "; echo 0 > \"$T/polls\"");
    drive.tool("sg_requests",
               "n=$(cat \"$T/polls\"); echo $((n + 1)) > \"$T/polls\"; [ $n -lt 1 ] && echo "
               "'Progress indication: 50.00% done'; exit 0");
    drive.mark(4096);
    std::string out;
    ASSERT_EQ(
        drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "sanitize"}, &out), 0)
        << out;
    EXPECT_TRUE(contains(out, "method Purge (SCSI sanitize, block erase)")) << out;
    EXPECT_TRUE(contains(drive.calls(), "--quick --early --block " + drive.device()));
    EXPECT_EQ(sanitizeProgress(out), (std::vector<std::uint64_t>{0, 32768, 65536})) << out;
    EXPECT_EQ(drive.marks(), 0u);
    for (const char* program : {"sg_opcodes", "sg_sanitize", "sg_requests"})
        drive.forget(program);

    // A secure discard is only tried: nothing is marked before it, the blocks it was given
    // must differ afterwards all the same.
    drive.tool("blkdiscard", kZeroFill);
    drive.mark(4096);
    ASSERT_EQ(
        drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "sanitize"}, &out), 0)
        << out;
    EXPECT_TRUE(contains(out, "method Purge (secure discard)")) << out;
    EXPECT_TRUE(contains(drive.calls(), "--secure --force " + drive.device()));
    EXPECT_TRUE(contains(out, "checked 256 of 256 sampled blocks")) << out;
}

TEST(DriveSanitize, AnEraseThatLeavesBlocksAsTheyWereOrReportsFailureFailsTheWipe) {
    if (!canRun())
        GTEST_SKIP() << "needs root and losetup";
    FakeDrive drive;
    ASSERT_TRUE(drive.ready());
    std::string out;
    // The firmware says it is done, but nothing changed.
    drive.tool("nvme", fakeNvme(1, "true", kCompleted));
    EXPECT_EQ(
        drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "sanitize"}, &out), 1)
        << out;
    EXPECT_TRUE(contains(out, "the sampled block at byte 0 reads as it did before the erase"))
        << out;
    EXPECT_FALSE(contains(out, "wiped ")) << out;
    // An overwrite sanitize that left anything but its pattern.
    drive.tool("nvme", fakeNvme(4, kRandomFill, kCompleted));
    EXPECT_EQ(
        drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "sanitize"}, &out), 1)
        << out;
    EXPECT_TRUE(contains(out, "the sampled block at byte 0 does not read as zeros")) << out;
    // The drive reports the sanitize failed.
    drive.tool("nvme", fakeNvme(1, kRandomFill, "(3) Most Recent Sanitize Command Failed."));
    EXPECT_EQ(
        drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "sanitize"}, &out), 1)
        << out;
    EXPECT_TRUE(contains(out, "NVMe sanitize, crypto erase: the drive reports that the sanitize "
                              "failed"))
        << out;
    // The command itself refused.
    drive.tool("nvme", "case \"$1\" in id-ctrl) echo '{\"sanicap\" : 1}';; *) echo 'NVMe status: "
                       "INVALID_FIELD' >&2; exit 2;; esac");
    EXPECT_EQ(
        drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "sanitize"}, &out), 1)
        << out;
    EXPECT_TRUE(contains(out, "sanitize failed: NVMe status: INVALID_FIELD")) << out;
}

TEST(DriveSanitize, AFrozenDriveIsRefusedWithHowToUnfreezeItAndNothingWritten) {
    if (!canRun())
        GTEST_SKIP() << "needs root and losetup";
    FakeDrive drive;
    ASSERT_TRUE(drive.ready());
    drive.tool("hdparm", fakeHdparm(true, "32768/32768, HPA is disabled"));
    // A device that takes no secure discard, as the real blkdiscard says of a loop device.
    drive.tool("blkdiscard", "echo \"blkdiscard: $DEV: BLKSECDISCARD ioctl failed: Operation not "
                             "supported\" >&2; exit 1");
    const std::string before = drive.checksum();
    std::string out;
    ASSERT_EQ(drive.diskutil({"sanitize-info", drive.device()}, &out), 0) << out;
    EXPECT_TRUE(contains(out, "blocked " + drive.device() + " is frozen")) << out;
    EXPECT_EQ(
        drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "sanitize"}, &out), 1)
        << out;
    EXPECT_TRUE(contains(out, "suspend the computer and wake it again")) << out;
    EXPECT_TRUE(contains(out, "unplug the drive's power")) << out;
    EXPECT_TRUE(contains(out, "Nothing was written.")) << out;
    EXPECT_FALSE(contains(drive.calls(), "--yes-i-know-what-i-am-doing"));
    EXPECT_EQ(drive.checksum(), before) << "a refused wipe wrote something";

    // Plugged out and in again: no longer frozen, the block erase runs.
    drive.tool("hdparm", fakeHdparm(false, "32768/32768, HPA is disabled"));
    ASSERT_EQ(
        drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "sanitize"}, &out), 0)
        << out;
    EXPECT_TRUE(contains(out, "method Purge (ATA sanitize, block erase)")) << out;
    EXPECT_TRUE(contains(drive.calls(),
                         "--yes-i-know-what-i-am-doing --sanitize-block-erase " + drive.device()));
    EXPECT_EQ(sanitizeProgress(out), (std::vector<std::uint64_t>{0, 32768, 65536})) << out;
}

TEST(DriveSanitize, ASanitizeNoToolOffersIsRefusedBeforeAnythingIsWritten) {
    if (!canRun())
        GTEST_SKIP() << "needs root and losetup";
    FakeDrive drive;
    ASSERT_TRUE(drive.ready());
    // The drive tools do not know the device (the real ones say so of a loop device).
    for (const char* program : {"nvme", "hdparm", "sg_opcodes"})
        drive.tool(program, "echo 'inappropriate ioctl for device' >&2; exit 25");
    drive.tool("blkdiscard", "echo \"blkdiscard: $DEV: BLKSECDISCARD ioctl failed: Operation not "
                             "supported\" >&2; exit 1");
    const std::string before = drive.checksum();
    std::string out;
    ASSERT_EQ(drive.diskutil({"sanitize-info", drive.device()}, &out), 0) << out;
    EXPECT_FALSE(contains(out, "offer nvme")) << out;
    EXPECT_FALSE(contains(out, "offer ata")) << out;
    EXPECT_EQ(
        drive.diskutil({"wipe", drive.device(), "--level", "1", "--method", "sanitize"}, &out), 1)
        << out;
    EXPECT_TRUE(contains(out, "does not take a secure discard: nothing was written")) << out;
    EXPECT_EQ(drive.checksum(), before);
    // Without even a discard to try.
    drive.forget("blkdiscard");
    EXPECT_EQ(LoopImage::run({"env", "PATH=" + drive.tools(), DISKUTIL_PROGRAM, "wipe",
                              drive.device(), "--level", "1", "--method", "sanitize"},
                             &out),
              1)
        << out;
    EXPECT_TRUE(contains(out, "offers no firmware erase")) << out;
    EXPECT_EQ(drive.checksum(), before);
}

} // namespace

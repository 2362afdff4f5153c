// The fault as a tester met it: korvane is killed with SIGKILL in the middle of its work, and
// the tool it started must stop at its next safe point instead of going on alone. The real
// korvane, srm and diskutil of the build tree run here, on throw-away files and loop images.
#include "LoopImage.h"
#include "ProcessTree.h"
#include "tests/support/RealToolBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <thread>

namespace {

using namespace childtest;
using namespace std::chrono_literals;
using testsupport::LoopImage;

const std::string kKorvane = KORVANE_BUILD_DIR "/bin/korvane";

// A process this test started or adopted; killed and reaped if the test ends early.
struct Watched {
    pid_t pid = -1;
    ~Watched() {
        if (pid > 0 && ::kill(pid, SIGKILL) == 0) {
            waitForEnd(pid, 10s);
        }
    }
    std::optional<int> end(std::chrono::milliseconds limit) {
        const std::optional<int> status = waitForEnd(pid, limit);
        pid = status ? -1 : pid;
        return status;
    }
};

QByteArray readFile(const QString& path, qint64 size = -1) {
    QFile file(path);
    return !file.open(QIODevice::ReadOnly) ? QByteArray()
           : size < 0                      ? file.readAll()
                                           : file.read(size);
}

bool writeFile(const QString& path, const QByteArray& data, int copies = 1) {
    QFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    for (int i = 0; ok && i < copies; ++i) {
        ok = file.write(data) == data.size();
    }
    return ok;
}

std::string output(const std::vector<std::string>& argv) {
    std::string out;
    LoopImage::run(argv, &out);
    return QString::fromStdString(out).trimmed().toStdString();
}

// srm overwrites the first of two 256 MiB files with 35 passes when korvane is killed. It must
// finish the pass under way, skip the other 34, remove the file (never leave it half written
// under its own name) and end on its own (a stopped run: status 1), leaving the second file
// untouched. (Before, it first ran every pass and only then found nobody to report to; later
// it stopped mid-pass and kept the half-written file.)
TEST(OrphanedTools, SrmStopsWhenKorvaneIsKilledDuringAPass) {
    QTemporaryDir bundleRoot, work;
    const QString bundle = makeRealToolBundle(bundleRoot.path());
    if (bundle.isEmpty()) {
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    }
    const QString first = work.path() + QStringLiteral("/first.bin");
    const QString second = work.path() + QStringLiteral("/second.bin");
    const QByteArray block = QByteArray("korvane original content\n").repeated(42000).left(1 << 20);
    ASSERT_TRUE(writeFile(first, block, 256) && writeFile(second, block));

    OrphanAdopter adopter;
    Watched korvane{spawn(
        {kKorvane, "erase", "--level", "35", "--yes", first.toStdString(), second.toStdString()},
        {"KORVANE_BUNDLE=" + bundle.toStdString()}, work.path().toStdString(),
        work.path().toStdString() + "/korvane.log")};
    Watched srm{waitForChild(korvane.pid, "srm", 30s)};
    ASSERT_GT(srm.pid, 0) << "no srm: " << readFile(work.path() + "/korvane.log").toStdString();
    // The first pass has begun once the start of the file is no longer what was written.
    for (int i = 0; i < 10000 && readFile(first, 4096) == block.left(4096); ++i) {
        std::this_thread::sleep_for(2ms);
    }
    ASSERT_NE(readFile(first, 4096), block.left(4096)) << "srm never began to overwrite";
    ASSERT_EQ(::kill(korvane.pid, SIGKILL), 0);
    ASSERT_TRUE(korvane.end(10s).has_value());

    // One pass over 256 MiB, synced, takes seconds here; all 35 would take minutes.
    const std::optional<int> status = srm.end(60s);
    ASSERT_TRUE(status.has_value()) << "srm still runs 60 s after korvane was killed";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 1) << describeStatus(*status);
    EXPECT_FALSE(QFileInfo::exists(first)) << "the file whose passes were cut short is kept";
    EXPECT_EQ(readFile(second), block) << "srm went on to the next file";
}

// diskutil formats a loop-mounted image when korvane is killed. mkfs is made to take two
// seconds (a wrapper first in PATH), so the kill falls inside it. diskutil lets it end, then
// stops and says so (status 1): the device holds the new file system and is not mounted again.
// (Before, diskutil went on alone: killed later, korvane left the volume mounted again; killed
// here, diskutil died of SIGPIPE at its next line to the dead korvane, nothing logged.)
TEST(OrphanedTools, DiskutilDoesNotMountAgainWhenKorvaneIsKilledDuringMkfs) {
    if (const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
        !why.empty()) {
        GTEST_SKIP() << why;
    }
    const QString mkfs = QStandardPaths::findExecutable(
        QStringLiteral("mkfs.ext4"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    QTemporaryDir bundleRoot, work;
    const QString bundle = makeRealToolBundle(bundleRoot.path());
    if (bundle.isEmpty() || mkfs.isEmpty()) {
        GTEST_SKIP() << "needs diskutil built into the bundle and mkfs.ext4";
    }
    const QString started = work.path() + QStringLiteral("/mkfs-started");
    const QString wrapper = work.path() + QStringLiteral("/bin/mkfs.ext4");
    ASSERT_TRUE(QDir().mkpath(work.path() + QStringLiteral("/bin")));
    ASSERT_TRUE(
        writeFile(wrapper, QStringLiteral("#!/bin/sh\n: > '%1'\nsleep 2\nexec '%2' \"$@\"\n")
                               .arg(started, mkfs)
                               .toUtf8()));
    ASSERT_TRUE(QFile::setPermissions(wrapper, QFile::ReadOwner | QFile::ExeOwner));

    LoopImage image(LoopImage::FileSystem::Ext4, 64u << 20);
    image.mount();
    const std::string device = output({"findmnt", "-n", "-o", "SOURCE", image.mountPoint()});
    ASSERT_EQ(device.compare(0, 9, "/dev/loop"), 0) << device;

    OrphanAdopter adopter;
    const char* path = std::getenv("PATH");
    Watched korvane{spawn({kKorvane, "format", device, "ext4", "fresh", "--yes"},
                          {"KORVANE_BUNDLE=" + bundle.toStdString(),
                           "PATH=" + work.path().toStdString() + "/bin:" + (path ? path : "")},
                          work.path().toStdString(), work.path().toStdString() + "/korvane.log")};
    for (int i = 0; i < 3000 && !QFileInfo::exists(started); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(QFileInfo::exists(started))
        << "no mkfs: " << readFile(work.path() + "/korvane.log").toStdString();
    // The diskutil that formats (korvane ran another before it to list the disks).
    Watched diskutil{waitForChild(korvane.pid, "diskutil", 1s)};
    ASSERT_GT(diskutil.pid, 0);
    ASSERT_EQ(::kill(korvane.pid, SIGKILL), 0);
    ASSERT_TRUE(korvane.end(10s).has_value());

    const std::optional<int> status = diskutil.end(30s);
    ASSERT_TRUE(status.has_value()) << "diskutil still runs 30 s after korvane was killed";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 1) << describeStatus(*status);
    EXPECT_EQ(output({"blkid", "-p", "-s", "LABEL", "-o", "value", device}), "fresh")
        << "mkfs, under way at the kill, was let end";
    EXPECT_EQ(output({"findmnt", "-n", "-o", "TARGET", "--source", device}), "")
        << "mounted again for a program that is gone";
}

} // namespace

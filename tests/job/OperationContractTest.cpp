#include "LoopImage.h"

#include "app/Job/CopyFilesOperation.h"
#include "app/Job/DeleteHistoryOperation.h"
#include "app/Job/DriveWipeCheckpoint.h"
#include "app/Job/EraseFilesOperation.h"
#include "app/Job/VolumeChangeOperation.h"
#include "app/Job/WipeDriveOperation.h"
#include "app/Job/WipeFreeSpaceOperation.h"
#include "app/Job/WipeVolumeOperation.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/inter/DoDataBase.h"
#include "platform/BundleLocator.h"
#include "platform/MountTable.h"
#include "tests/support/RealToolBundle.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Op = DestructiveOperation;
using testsupport::LoopImage;
using Clock = std::chrono::steady_clock;

// Every entry under ROOT with its type, size, time and content: what a plan must not change.
QStringList treeOf(const QString& root) {
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        QString line = QStringLiteral("%1 %2 %3 %4.%5")
                           .arg(path.mid(root.size()))
                           .arg(st.st_mode)
                           .arg(st.st_size)
                           .arg(st.st_mtim.tv_sec)
                           .arg(st.st_mtim.tv_nsec);
        QFile file(path);
        if (S_ISREG(st.st_mode) && file.open(QIODevice::ReadOnly))
            line += QLatin1Char(' ') +
                    QString::fromLatin1(
                        QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex());
        lines << line;
    }
    lines.sort();
    return lines;
}

QByteArray fileBytes(const QString& path) {
    if (path.isEmpty())
        return "(none)";
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// The mount table's lines for ROOT and what is mounted below it; for an empty ROOT, the line of
// "/". (Other tests mount and unmount their own images meanwhile: only these lines are ours.)
QStringList mountsAt(const QString& root) {
    QStringList lines;
    for (const QString& line :
         QString::fromUtf8(fileBytes(QStringLiteral("/proc/self/mountinfo"))).split('\n')) {
        const QString mountPoint = line.section(QLatin1Char(' '), 4, 4);
        if (root.isEmpty() ? mountPoint == QLatin1String("/")
                           : mountPoint == root || mountPoint.startsWith(root + '/'))
            lines << line;
    }
    return lines;
}

// The file tree under ROOT, its mounts and the history database, as they are now.
struct Snapshot {
    explicit Snapshot(const QString& root)
        : tree(root.isEmpty() ? QStringList() : treeOf(root)), mounts(mountsAt(root)),
          history(fileBytes(DoDataBase::returnDoDataBase()->getDataBase())) {}
    QStringList tree;
    QStringList mounts;
    QByteArray history;
};

void expectUnchanged(const Snapshot& before, const QString& root, const char* what) {
    const Snapshot after(root);
    EXPECT_EQ(before.tree, after.tree) << what << ": the plan changed the files";
    EXPECT_EQ(before.mounts, after.mounts) << what << ": the plan changed the mount table";
    EXPECT_EQ(before.history, after.history) << what << ": the plan changed the history";
}

// A throw-away bundle with the real tools and an empty history, used by every operation here.
class ToolBundle {
public:
    ToolBundle() {
        m_outer = makeRealToolBundle(m_dir.path());
        if (!m_outer.isEmpty())
            BundleLocator::setOuterBundlePath(m_outer);
    }
    ~ToolBundle() { BundleLocator::setOuterBundlePath(QString()); }
    bool ready() const { return !m_outer.isEmpty(); }
    const QString& path() const { return m_outer; }

private:
    QTemporaryDir m_dir;
    QString m_outer;
};

struct StoppedRun {
    Op::Report report;
    double secondsAfterStop = -1;
};

// Runs PLAN and asks for a stop AFTERMS milliseconds into the run; how long the run took to end
// after that.
StoppedRun runAndStop(Op& op, const Op::Plan& plan, int afterMs) {
    Op::StopToken stop;
    Clock::time_point stoppedAt{};
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
        stoppedAt = Clock::now();
        stop.requestStop();
    });
    StoppedRun result;
    result.report = op.run(plan, Op::Consents::all(), stop, {});
    const Clock::time_point ended = Clock::now();
    stopper.join();
    result.secondsAfterStop = std::chrono::duration<double>(ended - stoppedAt).count();
    return result;
}

QString historyStandardOfLastEntry() {
    const HistoryResult<HistoryData> all = DoDataBase::returnDoDataBase()->readAll();
    if (!all.ok() || all.value.isEmpty())
        return {};
    for (const HistoryRecord& record : all.value.last())
        if (!record.isHeader())
            return record.erasureStandard;
    return {};
}

void writeFile(const QString& path, qint64 size) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
    file.write(QByteArray(size, 'k'));
}

EraseJob::Options eraseOptions(int level) {
    EraseJob::Options options;
    options.level = level;
    options.solidState = {};
    options.copyOnWrite = {};
    options.protectedPaths = ErasePathCheck::Protected{};
    return options;
}

TEST(OperationContract, EraseFilesPlanTouchesNothingAndAStopEndsTheRunWithinASecond) {
    ToolBundle bundle;
    if (!bundle.ready())
        GTEST_SKIP() << "the srm tool is not built";
    QTemporaryDir dir;
    for (int i = 0; i < 400; ++i)
        writeFile(dir.path() + QStringLiteral("/tree/d%1/f%2").arg(i % 10).arg(i), 256 * 1024);
    writeFile(dir.path() + QStringLiteral("/kept"), 10);

    // 35 passes: the run still works when the stop comes, however fast the device (at 3 passes a
    // quiet machine finished the tree within the 300 ms before the stop).
    EraseFilesOperation op({QFile::encodeName(dir.path() + QStringLiteral("/tree"))},
                           eraseOptions(35));
    const Snapshot before(dir.path());
    const Op::Plan plan = op.plan({}, {});
    expectUnchanged(before, dir.path(), "erase");
    ASSERT_TRUE(plan.runnable());
    EXPECT_EQ(plan.entries, 400 + 10 + 1);
    EXPECT_EQ(plan.bytes, 400u * 256 * 1024);
    EXPECT_EQ(plan.level, 35);
    EXPECT_TRUE(plan.needs(Op::Consent::Irreversible));

    // Without the plain yes nothing runs.
    const Op::Report unconfirmed = op.run(plan, Op::Consents(), {}, {});
    EXPECT_FALSE(unconfirmed.ok());
    EXPECT_EQ(treeOf(dir.path()), before.tree);

    const StoppedRun stopped = runAndStop(op, plan, 300);
    EXPECT_TRUE(stopped.report.cancelled);
    EXPECT_FALSE(stopped.report.ok());
    EXPECT_LT(stopped.secondsAfterStop, 1.0);
    EXPECT_EQ(stopped.report.items.value(0).outcome, Op::Outcome::Stopped);
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/kept")));
}

TEST(OperationContract, EraseFilesFailedItemMakesTheReportNotOkAndTheHistoryNamesTheStandard) {
    ToolBundle bundle;
    if (!bundle.ready())
        GTEST_SKIP() << "the srm tool is not built";
    QTemporaryDir dir;
    const QString erased = dir.path() + QStringLiteral("/erased");
    const QString linked = dir.path() + QStringLiteral("/linked");
    writeFile(erased, 5000);
    writeFile(linked, 7000);
    // Its data stays reachable through the other name: it cannot be erased.
    ASSERT_EQ(::link(QFile::encodeName(linked).constData(),
                     QFile::encodeName(dir.path() + QStringLiteral("/other-name")).constData()),
              0);
    EraseFilesOperation op({QFile::encodeName(erased), QFile::encodeName(linked)}, eraseOptions(7));
    const Op::Plan plan = op.plan({}, {});
    const Op::Report report = op.run(plan, Op::Consents::all(), {}, {});
    ASSERT_EQ(report.items.size(), 2);
    EXPECT_EQ(report.items.at(0).outcome, Op::Outcome::Done);
    EXPECT_EQ(report.items.at(0).bytes, 5000u);
    EXPECT_EQ(report.items.at(1).outcome, Op::Outcome::Failed);
    EXPECT_EQ(report.items.at(1).reason, Op::Reason::Unreachable);
    EXPECT_FALSE(report.items.at(1).detail.isEmpty());
    EXPECT_FALSE(report.ok());
    EXPECT_TRUE(report.historyRecorded);
    EXPECT_EQ(report.standard, EraserStandard::nameForLevel(7));
    EXPECT_EQ(historyStandardOfLastEntry(), EraserStandard::nameForLevel(7));
}

TEST(OperationContract, EraseFilesRefusesWhatItMustAndAsksForHomes) {
    QTemporaryDir dir;
    writeFile(dir.path() + QStringLiteral("/home/ann/notes"), 10);
    ErasePathCheck::Protected homes;
    homes.homes = {QFile::encodeName(dir.path() + QStringLiteral("/home/ann"))};
    EraseJob::Options options = eraseOptions(1);
    options.protectedPaths = homes;
    EraseFilesOperation op({QByteArray(""), QFile::encodeName(dir.path() + QStringLiteral("/gone")),
                            QFile::encodeName(dir.path() + QStringLiteral("/home"))},
                           options);
    const Op::Plan plan = op.plan({}, {});
    ASSERT_EQ(plan.refusals.size(), 2);
    EXPECT_EQ(plan.refusals.at(0).reason, Op::Refusal::BadInput);
    EXPECT_EQ(plan.refusals.at(1).reason, Op::Refusal::Missing);
    EXPECT_TRUE(plan.needs(Op::Consent::HoldsHomes));
    // A yes without the consent for the folder holding homes erases nothing of it.
    const Op::Report report = op.run(plan, Op::Consents().give(Op::Consent::Irreversible), {}, {});
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(report.count(Op::Outcome::Refused), 3);
    for (const Op::Item& item : report.items)
        EXPECT_TRUE(item.reason == Op::Reason::Refused && item.refusal) << qPrintable(item.subject);
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/home/ann/notes")));

    // Only the table's levels run.
    EraseFilesOperation nine({QFile::encodeName(dir.path() + QStringLiteral("/home/ann/notes"))},
                             eraseOptions(9));
    const Op::Plan ninePlan = nine.plan({}, {});
    EXPECT_EQ(ninePlan.refusals.value(0).reason, Op::Refusal::UnknownLevel);
    EXPECT_FALSE(ninePlan.runnable());
}

TEST(OperationContract, HistoryDeletionPlansWithoutTouchingAndRefusesUnknownKeys) {
    ToolBundle bundle;
    if (!bundle.ready())
        GTEST_SKIP() << "the srm tool is not built";
    DoDataBase& history = *DoDataBase::returnDoDataBase();
    ASSERT_TRUE(history.recordVolume(QStringLiteral("A"), QStringLiteral("Erased"), true, 1).ok());
    ASSERT_TRUE(history.recordVolume(QStringLiteral("B"), QStringLiteral("Erased"), true, 1).ok());
    const QStringList keys = history.readTypes().value.keys();
    ASSERT_EQ(keys.size(), 2); // two in one second are two entries

    DeleteHistoryOperation unknown(history, {keys.first(), QStringLiteral("1999-01-01 00-00-00")});
    const Snapshot before{QString()};
    const Op::Plan refused = unknown.plan({}, {});
    expectUnchanged(before, QString(), "history delete");
    EXPECT_EQ(refused.refusals.value(0).reason, Op::Refusal::Missing);
    // The known key goes; the report names the unknown one and is not ok.
    const Op::Report partly = unknown.run(refused, Op::Consents::all(), {}, {});
    EXPECT_FALSE(partly.ok());
    EXPECT_EQ(partly.count(Op::Outcome::Refused), 1);
    EXPECT_EQ(history.readTypes().value.keys(), QStringList{keys.last()});

    DeleteHistoryOperation clear(history, {});
    const Snapshot beforeClear{QString()};
    const Op::Plan plan = clear.plan({}, {});
    expectUnchanged(beforeClear, QString(), "history clear");
    EXPECT_EQ(plan.kind, Op::Kind::ClearHistory);
    EXPECT_EQ(plan.items, QStringList{keys.last()});
    EXPECT_FALSE(clear.run(plan, Op::Consents(), {}, {}).ok()); // not confirmed
    EXPECT_EQ(history.readTypes().value.size(), 1);
    EXPECT_TRUE(clear.run(plan, Op::Consents::all(), {}, {}).ok());
    EXPECT_TRUE(history.readTypes().value.isEmpty());
}

TEST(OperationContract, CopyPlansWithoutTouchingStopsWithinASecondAndFailsOnAVanishedSource) {
    QTemporaryDir dir;
    const QString big = dir.path() + QStringLiteral("/src/big");
    writeFile(big, 0);
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray chunk(8 << 20, 'c');
        for (int i = 0; i < 64; ++i) // 512 MiB, verified: several seconds of work
            file.write(chunk);
    }
    writeFile(dir.path() + QStringLiteral("/src/small"), 100);
    QDir().mkpath(dir.path() + QStringLiteral("/dst"));
    CopyFilesOperation op({dir.path() + QStringLiteral("/src")},
                          dir.path() + QStringLiteral("/dst"), DiskCopyJob::Options());
    const Snapshot before(dir.path());
    const Op::Plan plan = op.plan({}, {});
    expectUnchanged(before, dir.path(), "copy");
    ASSERT_TRUE(plan.runnable());
    EXPECT_EQ(plan.bytes, (512u << 20) + 100);

    const StoppedRun stopped = runAndStop(op, plan, 200);
    EXPECT_TRUE(stopped.report.cancelled);
    EXPECT_FALSE(stopped.report.ok());
    EXPECT_LT(stopped.secondsAfterStop, 1.0);

    CopyFilesOperation vanishing({dir.path() + QStringLiteral("/src/small")},
                                 dir.path() + QStringLiteral("/dst"), DiskCopyJob::Options());
    const Op::Plan small = vanishing.plan({}, {});
    ASSERT_TRUE(small.runnable());
    ASSERT_TRUE(QFile::remove(dir.path() + QStringLiteral("/src/small")));
    EXPECT_FALSE(vanishing.run(small, Op::Consents::all(), {}, {}).ok());
}

TEST(OperationContract, VolumeWipesAndChangesPlanWithoutTouchingAndRefuseTheSystemVolume) {
    const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
    if (!why.empty())
        GTEST_SKIP() << why;
    ToolBundle bundle;
    if (!bundle.ready())
        GTEST_SKIP() << "the tools are not built";
    LoopImage image(LoopImage::FileSystem::Ext4, 512 << 20);
    image.mount();
    const QString mountPoint = QString::fromStdString(image.mountPoint());
    writeFile(mountPoint + QStringLiteral("/kept"), 4096);

    VolumeObj volume;
    volume.volumeName = QStringLiteral("Image");
    volume.volumeMountPoint = mountPoint;
    volume.volumeType = QStringLiteral("ext4");
    volume.volumeFreeSizeNum = 480 << 20;
    volume.volumeTotalSizeNum = 512 << 20;
    {
        FreeSpaceWipeJob::Options options;
        options.level = 3;
        WipeFreeSpaceOperation wipe(volume, options);
        const Snapshot before(mountPoint);
        const Op::Plan plan = wipe.plan({}, {});
        expectUnchanged(before, mountPoint, "wipe-free-space");
        ASSERT_TRUE(plan.runnable());
        const StoppedRun stopped = runAndStop(wipe, plan, 300);
        EXPECT_TRUE(stopped.report.cancelled);
        EXPECT_FALSE(stopped.report.ok());
        EXPECT_LT(stopped.secondsAfterStop, 1.0);
        EXPECT_EQ(treeOf(mountPoint), before.tree); // the fill is gone, the file stays
        // Even a stopped wipe is on record, under the standard that ran.
        EXPECT_TRUE(stopped.report.historyRecorded);
        EXPECT_EQ(historyStandardOfLastEntry(), EraserStandard::nameForLevel(3));
    }
    {
        FreeSpaceWipeJob::Options options;
        options.level = 9;
        const Op::Plan plan = WipeFreeSpaceOperation(volume, options).plan({}, {});
        EXPECT_EQ(plan.refusals.value(0).reason, Op::Refusal::UnknownLevel);
    }
    {
        ASSERT_EQ(
            ::mount(nullptr, image.mountPoint().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr),
            0);
        FreeSpaceWipeJob::Options options;
        options.level = 1;
        WipeFreeSpaceOperation readOnly(volume, options);
        const Op::Plan plan = readOnly.plan({}, {});
        EXPECT_EQ(plan.refusals.value(0).reason, Op::Refusal::ReadOnly);
        EXPECT_FALSE(readOnly.run(plan, Op::Consents::all(), {}, {}).ok());
        ASSERT_EQ(::mount(nullptr, image.mountPoint().c_str(), nullptr, MS_REMOUNT, nullptr), 0);
    }
    VolumeObj system;
    system.volumeName = QStringLiteral("System");
    system.volumeMountPoint = QStringLiteral("/");
    system.volumePath = QStringLiteral("/dev/root-of-this-system");
    const Op::Plan systemWipe = WipeVolumeOperation(system, {}).plan({}, {});
    EXPECT_EQ(systemWipe.refusals.value(0).reason, Op::Refusal::SystemVolume);

    // The volume tool refuses the device holding "/" by its own rule, for every volume change.
    QString rootDevice;
    for (const QString& line : QString::fromUtf8(fileBytes("/proc/self/mountinfo")).split('\n')) {
        const QStringList fields = line.split(' ');
        if (fields.size() > 9 && fields.at(4) == QLatin1String("/")) {
            const int dash = int(fields.indexOf(QStringLiteral("-")));
            if (dash > 0 && dash + 2 < fields.size())
                rootDevice = fields.at(dash + 2);
        }
    }
    if (rootDevice.startsWith(QLatin1String("/dev/"))) {
        VolumeObj root;
        root.volumePath = rootDevice;
        root.volumeMountPoint = QStringLiteral("/");
        const Snapshot before{QString()};
        const Op::Plan format = VolumeChangeOperation(Op::Kind::Format, root,
                                                      QStringLiteral("ext4"), QStringLiteral("X"))
                                    .plan({}, {});
        expectUnchanged(before, QString(), "format");
        EXPECT_EQ(format.refusals.value(0).reason, Op::Refusal::SystemVolume);
    }
}

// A drive of its own for a test: a loop device over a fresh image of SIZE in FOLDER, let go
// (unmounted first where the test mounted it) however the test ends.
class LoopDrive {
public:
    LoopDrive(const QString& folder, const std::string& name, const std::string& size)
        : m_image(folder.toStdString() + "/" + name), m_mountPoint(m_image + ".mnt") {
        std::string device;
        if (LoopImage::run({"truncate", "-s", size, m_image}) == 0 &&
            LoopImage::run({"losetup", "-f", "--show", m_image}, &device) == 0)
            m_device = device.substr(0, device.find('\n'));
    }
    ~LoopDrive() {
        LoopImage::run({"umount", m_mountPoint});
        if (!m_device.empty())
            LoopImage::run({"losetup", "-d", m_device});
    }
    bool ready() const { return !m_device.empty(); }
    const std::string& image() const { return m_image; }
    const std::string& device() const { return m_device; }
    QString deviceName() const { return QString::fromStdString(m_device); }
    // Where mount() puts its ext4 file system.
    const std::string& mountPoint() const { return m_mountPoint; }
    bool mount() const {
        return LoopImage::run({"mkfs.ext4", "-q", m_device}) == 0 &&
               LoopImage::run({"mkdir", "-p", m_mountPoint}) == 0 &&
               LoopImage::run({"mount", m_device, m_mountPoint}) == 0;
    }

private:
    std::string m_image, m_mountPoint, m_device;
};

// The drive wipe's tests: loop drives of their own and the real tools in a throw-away bundle.
class DriveWipeContract : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
            !why.empty())
            GTEST_SKIP() << why;
        bundle = std::make_unique<ToolBundle>();
        if (!bundle->ready())
            GTEST_SKIP() << "the tools are not built";
    }
    std::unique_ptr<ToolBundle> bundle;
};

TEST_F(DriveWipeContract, UnmountsOnlyWithConsentAndStopsWithinASecond) {
    // A drive of its own, mounted, then not.
    QTemporaryDir dir;
    const LoopDrive drive(dir.path(), "drive.img", "1G");
    ASSERT_TRUE(drive.ready());
    ASSERT_TRUE(drive.mount());
    const QString device = drive.deviceName();
    const QString mountPoint = QString::fromStdString(drive.mountPoint());

    WipeDriveOperation::Options options;
    options.level = 35;
    WipeDriveOperation wipe({device}, options);
    const Snapshot before(mountPoint);
    const Op::Plan plan = wipe.plan({}, {});
    expectUnchanged(before, mountPoint, "wipe-drive");
    ASSERT_TRUE(plan.runnable());
    EXPECT_EQ(plan.bytes, 1024ull << 20);
    EXPECT_TRUE(plan.needs(Op::Consent::Irreversible));
    // The mounted volume is named, and stays mounted and whole without that consent.
    ASSERT_TRUE(plan.needs(Op::Consent::UnmountVolumes));
    EXPECT_TRUE(std::any_of(plan.consents.cbegin(), plan.consents.cend(), [&](const auto& c) {
        return c.consent == Op::Consent::UnmountVolumes && c.detail.contains(mountPoint);
    }));
    Op::Consents onlyIrreversible;
    onlyIrreversible.give(Op::Consent::Irreversible);
    const Op::Report refused = wipe.run(plan, onlyIrreversible, {}, {});
    EXPECT_EQ(refused.count(Op::Outcome::Done), 0);
    expectUnchanged(before, mountPoint, "wipe-drive without the unmount consent");
    ASSERT_NE(MountTable::at(MountTable::read(), mountPoint), nullptr);

    // With it, the volume is unmounted and the drive wiped, until the stop.
    const StoppedRun stopped = runAndStop(wipe, plan, 800);
    EXPECT_EQ(MountTable::at(MountTable::read(), mountPoint), nullptr);
    EXPECT_TRUE(stopped.report.cancelled) << qPrintable(stopped.report.items.value(0).detail);
    EXPECT_FALSE(stopped.report.ok());
    EXPECT_LT(stopped.secondsAfterStop, 1.0);
    EXPECT_TRUE(stopped.report.historyRecorded);
    EXPECT_EQ(historyStandardOfLastEntry(), EraserStandard::nameForLevel(35));
}

TEST_F(DriveWipeContract, WipesTwoDrivesAtOnceAndLeavesNoMarkOnEither) {
    QTemporaryDir dir;
    const LoopDrive first(dir.path(), "drive0", "48M"), second(dir.path(), "drive1", "48M");
    QStringList devices;
    std::vector<std::string> images;
    for (const LoopDrive* drive : {&first, &second}) {
        ASSERT_TRUE(drive->ready());
        devices << drive->deviceName();
        images.push_back(drive->image());
        ASSERT_EQ(LoopImage::run({"mkfs.ext4", "-q", "-L", "MARKDRIVE", drive->device()}), 0);
        QFile raw(drive->deviceName());
        ASSERT_TRUE(raw.open(QIODevice::ReadWrite));
        raw.seek((48 << 20) - 4096);
        raw.write("MARKLASTSECTOR");
    }
    LoopImage::run({"sync"});
    for (const std::string& image : images)
        ASSERT_EQ(fileBytes(QString::fromStdString(image)).count("MARKLASTSECTOR"), 1) << image;
    WipeDriveOperation::Options options;
    options.level = 1;
    options.verify = QStringLiteral("all");
    WipeDriveOperation wipe(devices, options);
    const Op::Plan plan = wipe.plan({}, {});
    ASSERT_EQ(plan.items, devices);
    EXPECT_EQ(plan.bytes, 2ull * (48 << 20));
    QSet<QString> progressed;
    const Op::Report report = wipe.run(plan, Op::Consents::all(), {},
                                       [&](const Op::Progress& p) { progressed << p.subject; });
    EXPECT_TRUE(report.ok()) << qPrintable(report.items.value(0).detail);
    EXPECT_EQ(report.count(Op::Outcome::Done), 2);
    EXPECT_EQ(progressed, QSet<QString>(devices.cbegin(), devices.cend())) << "each drive's own";
    for (const std::string& image : images) {
        const QByteArray bytes = fileBytes(QString::fromStdString(image));
        EXPECT_EQ(bytes.count("MARKLASTSECTOR"), 0) << image;
        EXPECT_EQ(bytes.count("MARKDRIVE"), 0) << image;
    }
}

// Each pattern's marks left on the drive: three, in the file system, the middle and the last
// sector.
void markDrive(const LoopDrive& drive, quint64 size) {
    ASSERT_EQ(LoopImage::run({"mkfs.ext4", "-q", "-L", "MARKDRIVE", drive.device()}), 0);
    QFile raw(drive.deviceName());
    ASSERT_TRUE(raw.open(QIODevice::ReadWrite));
    for (const quint64 at : {size / 2 + 123, size - 4096}) {
        raw.seek(qint64(at));
        raw.write("MARKINSIDE");
    }
    raw.close();
    LoopImage::run({"sync"});
}

int marksIn(const std::string& image) {
    const QByteArray bytes = fileBytes(QString::fromStdString(image));
    return int(bytes.count("MARKINSIDE") + bytes.count("MARKDRIVE"));
}

TEST_F(DriveWipeContract, StoppedInARandomPassGoesOnFromThereWithTheSameStream) {
    QTemporaryDir dir;
    const quint64 size = 512ull << 20;
    const LoopDrive drive(dir.path(), "drive.img", "512M");
    ASSERT_TRUE(drive.ready());
    markDrive(drive, size);
    ASSERT_GE(marksIn(drive.image()), 3);
    const QString device = drive.deviceName();

    // Stopped in the first pass, which is random.
    WipeDriveOperation::Options options;
    options.level = 3;
    options.verify = QStringLiteral("all");
    WipeDriveOperation first({device}, options);
    const Op::Plan plan = first.plan({}, {});
    ASSERT_TRUE(plan.runnable());
    Op::StopToken stop;
    const Op::Report stopped =
        first.run(plan, Op::Consents::all(), stop, [&](const Op::Progress& p) {
            if (p.stage == Op::Stage::Overwriting && p.done * 16 >= p.total)
                stop.requestStop(); // a quarter into the first of four passes
        });
    ASSERT_TRUE(stopped.cancelled);
    const std::optional<DriveWipeCheckpoint> point = DriveWipeCheckpoint::load(device);
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ(point->pass, 1);
    EXPECT_GT(point->offset, 0u);
    EXPECT_LT(point->offset, size);

    // Not another drive at that node: a changed identity refuses the resumption.
    DriveWipeCheckpoint other = *point;
    other.identity = QStringLiteral("/elsewhere/other.img");
    ASSERT_TRUE(other.save());
    WipeDriveOperation::Options resume;
    resume.resume = true;
    WipeDriveOperation wrongDrive({device}, resume);
    EXPECT_EQ(wrongDrive.plan({}, {}).refusals.value(0).reason, Op::Refusal::NotAllowed);
    ASSERT_TRUE(point->save());

    // Gone on with: the first pass, written partly before and partly after, reads back whole as
    // one stream, and so does every other pass.
    WipeDriveOperation again({device}, resume);
    const Op::Plan resumed = again.plan({}, {});
    ASSERT_TRUE(resumed.runnable());
    EXPECT_EQ(resumed.level, 3);
    EXPECT_TRUE(std::any_of(resumed.notes.cbegin(), resumed.notes.cend(), [](const auto& note) {
        return note.warning == Op::Warning::Interrupted;
    }));
    const Op::Report report = again.run(resumed, Op::Consents::all(), {}, {});
    ASSERT_TRUE(report.ok()) << qPrintable(report.items.value(0).detail);
    const QString detail = report.items.value(0).detail;
    EXPECT_TRUE(
        detail.startsWith(QStringLiteral("gone on with from pass 1, byte %1").arg(point->offset)))
        << qPrintable(detail);
    EXPECT_TRUE(detail.contains(QStringLiteral("%1 of %1 bytes read back and found as written, "
                                               "after each of 4 passes")
                                    .arg(size)))
        << qPrintable(detail);
    EXPECT_EQ(marksIn(drive.image()), 0);
    EXPECT_FALSE(DriveWipeCheckpoint::load(device).has_value()) << "an ended wipe is forgotten";
}

TEST_F(DriveWipeContract, KilledHalfwayIsResumedByTheCommandAndLeavesNoMark) {
    QTemporaryDir dir;
    const quint64 size = 128ull << 20;
    const LoopDrive drive(dir.path(), "drive.img", "128M");
    ASSERT_TRUE(drive.ready());
    markDrive(drive, size);
    const QString device = drive.deviceName();
    const auto korvane = [&](const QStringList& args, QProcess& process) {
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(
            QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane"),
            QStringList{QStringLiteral("wipe-drive"), QStringLiteral("--bundle"), bundle->path()} +
                args);
    };
    // The command keeps its checkpoints beside the history of the bundle it is given.
    const auto checkpointPass = [&] {
        const std::optional<DriveWipeCheckpoint> point = DriveWipeCheckpoint::load(device);
        return point ? point->pass : 0;
    };
    DriveWipeCheckpoint::remove(device);

    QProcess killed;
    korvane({device, QStringLiteral("--level"), QStringLiteral("35"), QStringLiteral("--verify"),
             QStringLiteral("none"), QStringLiteral("--yes")},
            killed);
    ASSERT_TRUE(killed.waitForStarted());
    const Clock::time_point began = Clock::now();
    while (checkpointPass() < 3 && killed.state() == QProcess::Running &&
           Clock::now() - began < std::chrono::seconds(120))
        killed.waitForFinished(20);
    ASSERT_EQ(killed.state(), QProcess::Running) << killed.readAllStandardError().constData();
    ::kill(pid_t(killed.processId()), SIGKILL);
    killed.waitForFinished();
    // The volume tool ends with its caller; the drive is free again once it has (an exclusive
    // open, as the tool's own, succeeds).
    for (int i = 0; i < 200; ++i) {
        const int fd = ::open(drive.device().c_str(), O_RDONLY | O_EXCL | O_CLOEXEC);
        if (fd >= 0) {
            ::close(fd);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const int interruptedAt = checkpointPass();
    ASSERT_GE(interruptedAt, 3);
    ASSERT_LT(interruptedAt, 37) << "killed before the end";

    QProcess resumed;
    korvane({device, QStringLiteral("--resume"), QStringLiteral("--yes")}, resumed);
    ASSERT_TRUE(resumed.waitForFinished(300000));
    const QString said =
        QString::fromLocal8Bit(resumed.readAllStandardOutput() + resumed.readAllStandardError());
    EXPECT_EQ(resumed.exitCode(), 0) << qPrintable(said);
    EXPECT_TRUE(said.contains(QStringLiteral("gone on with from pass %1").arg(interruptedAt)))
        << qPrintable(said);
    EXPECT_EQ(marksIn(drive.image()), 0);
    EXPECT_EQ(checkpointPass(), 0) << "the ended wipe's checkpoint is gone";
}

// Stand-ins for the drive tools on the PATH the volume tool inherits, for one test: no NVMe or
// ATA drive exists here (see tests/diskutil/DriveSanitizeTest.cpp for every family).
class FakeDriveTools {
public:
    explicit FakeDriveTools(const QString& folder) : m_folder(folder), m_path(qgetenv("PATH")) {
        QDir().mkpath(folder);
        qputenv("PATH", folder.toUtf8() + ':' + m_path);
    }
    ~FakeDriveTools() { qputenv("PATH", m_path); }
    void tool(const QString& name, const QByteArray& body) const {
        QFile file(m_folder + '/' + name);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write("#!/bin/sh\n" + body + '\n');
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
    }

private:
    QString m_folder;
    QByteArray m_path;
};

TEST_F(DriveWipeContract, PlansAndReportsTheFirmwareEraseThatRan) {
    QTemporaryDir dir;
    const LoopDrive drive(dir.path(), "nvme.img", "16M");
    ASSERT_TRUE(drive.ready());
    const QString device = drive.deviceName();
    const FakeDriveTools tools(dir.path() + QStringLiteral("/bin"));
    // A controller with a crypto erase that fills the drive with random data and is done at
    // once; no ATA answer.
    tools.tool(QStringLiteral("nvme"),
               "case \"$1\" in\n"
               "id-ctrl) echo '{ \"oacs\" : 0, \"sanicap\" : 1 }' ;;\n"
               "sanitize) dd if=/dev/urandom of=\"$2\" bs=1M count=16 conv=fsync status=none ;;\n"
               "sanitize-log) echo '{\"nvme0n1\":{\"sprog\":65535,\"sstat\":{\"status\":"
               "\"(1) Most Recent Sanitize Command Completed Successfully.\"}}}' ;;\n"
               "*) exit 1 ;;\nesac");
    tools.tool(QStringLiteral("hdparm"), "exit 25");

    WipeDriveOperation::Options options;
    options.level = 1;
    options.recordHistory = false;
    options.method = QStringLiteral("wipe-it");
    const Op::Plan bad = WipeDriveOperation({device}, options).plan({}, {});
    EXPECT_FALSE(bad.refusals.isEmpty());
    EXPECT_EQ(bad.refusals.value(0).reason, Op::Refusal::BadInput);

    options.method = QStringLiteral("sanitize");
    WipeDriveOperation wipe({device}, options);
    const Op::Plan plan = wipe.plan({}, {});
    ASSERT_TRUE(plan.runnable()) << qPrintable(plan.refusals.value(0).detail);
    QStringList methods;
    for (const Op::Note& note : plan.notes) {
        EXPECT_NE(note.warning, Op::Warning::SolidState) << "a Purge is not a Clear";
        if (note.warning == Op::Warning::WipeMethod)
            methods << note.detail;
    }
    ASSERT_EQ(methods.size(), 1);
    EXPECT_TRUE(methods.first().startsWith(device + ": Purge (NVMe sanitize, crypto erase)."))
        << qPrintable(methods.first());
    qint64 overwritten = 0;
    const Op::Report report =
        wipe.run(plan, Op::Consents::all(), {}, [&](const Op::Progress& progress) {
            if (progress.stage == Op::Stage::Overwriting && progress.total > 0)
                overwritten = progress.done * 100 / progress.total;
        });
    ASSERT_EQ(report.items.size(), 1);
    EXPECT_TRUE(report.ok()) << qPrintable(report.items.first().detail);
    EXPECT_EQ(report.items.first().detail,
              QStringLiteral("Purge (NVMe sanitize, crypto erase); 256 of 256 sampled blocks "
                             "(1048576 bytes, spread over the device) read back changed"));
    EXPECT_EQ(overwritten, 100) << "the sanitize's progress reaches the caller";

    // A frozen drive: refused in the plan, with what to do about it.
    tools.tool(QStringLiteral("nvme"), "exit 1");
    tools.tool(QStringLiteral("hdparm"),
               "case \"$1\" in -I) printf 'Commands/features:\\n\\t   *\\tSANITIZE feature "
               "set\\n\\t   *\\tCRYPTO_SCRAMBLE_EXT command\\nSecurity:\\n\\t\\tsupported\\n"
               "\\t\\tfrozen\\n' ;; *) exit 25 ;; esac");
    const Op::Plan frozen = WipeDriveOperation({device}, options).plan({}, {});
    EXPECT_FALSE(frozen.runnable());
    ASSERT_EQ(frozen.refusals.size(), 1);
    EXPECT_EQ(frozen.refusals.first().reason, Op::Refusal::Unsupported);
    EXPECT_TRUE(frozen.refusals.first().detail.contains(QStringLiteral("suspend the computer")))
        << qPrintable(frozen.refusals.first().detail);
}

} // namespace

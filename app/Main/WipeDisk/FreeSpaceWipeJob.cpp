#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"

#include "app/Main/WipeDisk/VolumeErasureFacts.h"

#include "app/Comm/PublicUtilities.h"
#include "app/Comm/UserDefaults.h"
#include "app/Main/FileEraser/SrmTool.h"
#include "app/Main/WipeDisk/FreeSpaceFiller.h"
#include "app/Main/WipeDisk/FreeSpaceWipeLock.h"
#include "app/Main/WipeDisk/MetadataFiller.h"
#include "app/Main/WipeDisk/WipeWorkFolder.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/inter/DoDataBase.h"
#include "platform/BundleLocator.h"
#include "platform/ChildProcessTie.h"
#include "platform/FileSystemInfo.h"
#include "platform/Logger.h"
#include "platform/MountTable.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QProcess>
#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <linux/types.h>
#include <sys/ioctl.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

#ifndef EXT4_IOC_CHECKPOINT
// From linux/ext4.h (Linux 5.13); Debian 12's headers lack it.
#define EXT4_IOC_CHECKPOINT _IOW('f', 43, __u32)
#endif
constexpr __u32 kCheckpointZeroOut = 0x2;

// Best-effort class, lowest priority: the machine stays usable while the disk fills.
void lowerIoPriority() {
    constexpr int kWhoProcess = 1, kClassBestEffort = 2, kClassShift = 13;
    ::syscall(SYS_ioprio_set, kWhoProcess, 0, (kClassBestEffort << kClassShift) | 7);
}

std::uint64_t freeBytesAt(const QString& path) {
    struct statvfs vfs {};
    return ::statvfs(QFile::encodeName(path).constData(), &vfs) == 0
               ? std::uint64_t(vfs.f_bfree) * vfs.f_frsize
               : 0;
}

// Zeros would take no room where the file system compresses or deduplicates.
bool needsRandomFill(const QString& mountPoint) {
    const FileSystemInfo info = FileSystemInfo::forPath(mountPoint);
    if (info.type == QLatin1String("zfs"))
        return true;
    const QList<MountTable::Entry> table = MountTable::read();
    const MountTable::Entry* mount = MountTable::at(table, mountPoint);
    return mount && (mount->hasOption("compress") || mount->hasOption("compress-force"));
}

// ext4 keeps a few clusters back from data (/sys/fs/ext4/DEV/reserved_clusters) so that its own
// metadata never runs out; deleted data there would never be overwritten. For the last stretch
// of a full pass they are let go, and given back right after (also when the pass fails).
class Ext4ReservedClusters {
public:
    explicit Ext4ReservedClusters(const QString& mountPoint) {
        const FileSystemInfo info = FileSystemInfo::forPath(mountPoint);
        if (!info.type.startsWith(QLatin1String("ext")) ||
            !info.source.startsWith(QLatin1String("/dev/")))
            return;
        const QString device = QFileInfo(info.source).canonicalFilePath();
        m_file =
            QStringLiteral("/sys/fs/ext4/%1/reserved_clusters").arg(QFileInfo(device).fileName());
        QFile file(m_file);
        if (file.open(QIODevice::ReadOnly))
            m_original = file.readAll().trimmed();
    }
    ~Ext4ReservedClusters() { restore(); }
    void release() {
        if (!m_original.isEmpty() && write("0"))
            m_released = true;
    }
    void restore() {
        if (m_released && write(m_original))
            m_released = false;
    }

private:
    bool write(const QByteArray& value) {
        QFile file(m_file);
        return file.open(QIODevice::WriteOnly) && file.write(value + '\n') > 0;
    }
    QString m_file;
    QByteArray m_original;
    bool m_released = false;
};

} // namespace

FreeSpaceWipeJob::FreeSpaceWipeJob(VolumeObj volume, Options options, QObject* parent)
    : QObject(parent), m_volume(std::move(volume)), m_options(std::move(options)) {
    if (m_options.programName.isEmpty())
        m_options.programName = BundleLocator::kMainProgramName;
    m_passes = passesFor(m_options.level, m_options.programName);
}

int FreeSpaceWipeJob::passesFor(int level, const QString& programName) {
    if (level != 0)
        return EraserStandard::find(level) ? level : 0;
    return EraserStandard::effectiveLevel(
        UserDefaults(programName.isEmpty() ? BundleLocator::kMainProgramName : programName)
            .eraserTimes());
}

FreeSpaceWipeJob::~FreeSpaceWipeJob() {
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
        delete m_thread;
    }
}

QString FreeSpaceWipeJob::progressText(double percent, int pass, int passes) {
    return QString::asprintf("Erased %.2f%% in %d of %d %s", percent, pass, passes,
                             passes > 1 ? "passes" : "pass");
}

void FreeSpaceWipeJob::start() {
    if (m_running)
        return;
    m_running = true;
    m_cancel = false;
    m_report = Report();
    m_report.passes = m_passes;
    if (m_options.recordHistory)
        m_facts = ErasureFacts::begin(ErasureFacts::kFreeSpace);
    m_thread = QThread::create([this] { work(); });
    connect(m_thread, &QThread::finished, this, &FreeSpaceWipeJob::finish);
    m_thread->start();
}

void FreeSpaceWipeJob::cancel() {
    m_cancel = true;
}

void FreeSpaceWipeJob::work() {
    if (m_passes == 0) {
        m_report.reason = kUnknownLevel.arg(m_options.level);
        return;
    }
    // Whatever the front end checked, and whatever type the caller named: the volume itself.
    if (!m_options.wholeVolume &&
        (FileSystemInfo::isNtfsType(m_volume.volumeType) ||
         FileSystemInfo::isNtfsType(FileSystemInfo::forPath(m_volume.volumeMountPoint).type))) {
        m_report.reason = kNtfs.arg(m_volume.volumeName);
        return;
    }
    lowerIoPriority();
    // Held to the end of the work, the steps after the passes included.
    FreeSpaceWipeLock lock;
    switch (lock.acquire(m_volume.volumeMountPoint)) {
    case FreeSpaceWipeLock::Outcome::Held:
        break;
    case FreeSpaceWipeLock::Outcome::AnotherWipe:
        m_report.reason = kAnotherWipe;
        return;
    case FreeSpaceWipeLock::Outcome::ReadOnly:
        m_report.reason = kReadOnly;
        return;
    case FreeSpaceWipeLock::Outcome::NoPermission:
        Logger::log(QStringLiteral("free-space wipe: %1").arg(lock.error()));
        m_report.reason = kNoPermission;
        return;
    case FreeSpaceWipeLock::Outcome::Failed:
        Logger::log(QStringLiteral("free-space wipe: %1").arg(lock.error()));
        m_report.reason = kCannotStart.arg(lock.error());
        return;
    }
    for (const QString& name : WipeWorkFolder::sweep(lock.rootFd()))
        Logger::log(QStringLiteral("removed the work folder %1 an earlier wipe left at %2")
                        .arg(name, m_volume.volumeMountPoint));
    WipeWorkFolder folder;
    switch (folder.make(lock.rootFd())) {
    case WipeWorkFolder::Outcome::Made:
        m_report.workFolder = folder.name();
        break;
    case WipeWorkFolder::Outcome::ReadOnly:
        m_report.reason = kReadOnly;
        return;
    case WipeWorkFolder::Outcome::NoPermission:
        Logger::log(QStringLiteral("free-space wipe of %1: %2")
                        .arg(m_volume.volumeMountPoint, folder.error()));
        m_report.reason = kNoPermission;
        return;
    case WipeWorkFolder::Outcome::Failed:
        Logger::log(QStringLiteral("free-space wipe of %1: %2")
                        .arg(m_volume.volumeMountPoint, folder.error()));
        m_report.reason = kCannotStart.arg(folder.error());
        return;
    }
    const FreeSpaceFiller::Pattern pattern = needsRandomFill(m_volume.volumeMountPoint)
                                                 ? FreeSpaceFiller::Pattern::Random
                                                 : FreeSpaceFiller::Pattern::Zeros;
    auto post = [this](const QString& text, double percent) {
        QMetaObject::invokeMethod(
            this, [this, text, percent] { emit progress(text, percent); }, Qt::QueuedConnection);
    };
    for (int pass = 1; pass <= m_passes && !m_cancel; ++pass) {
        m_pass = pass;
        // Some FUSE drivers report no blocks at all: the volume's size then stands in for the
        // progress estimate.
        std::uint64_t free = freeBytesAt(m_volume.volumeMountPoint);
        if (free == 0)
            free = std::uint64_t(std::max<qint64>(1, m_volume.volumeTotalSizeNum));
        QElapsedTimer shown;
        shown.start();
        FreeSpaceFiller filler(folder.fd(), pattern, m_cancel);
        Ext4ReservedClusters reserve(m_volume.volumeMountPoint);
        filler.setBeforeLastStretch([&reserve] { reserve.release(); });
        if (pass == m_passes)
            filler.setWhileFull([this, &folder] { whileFull(folder.fd()); });
        const FreeSpaceFiller::Result result = filler.fill([&](std::uint64_t written) {
            if (shown.elapsed() < 200)
                return;
            shown.restart();
            const double percent = std::min(99.0, 100.0 * double(written) / double(free));
            post(progressText(percent, pass, m_passes), percent);
        });
        reserve.restore();
        if (result.cancelled || m_cancel)
            return;
        if (!result.ok) {
            Logger::log(QStringLiteral("free-space wipe of %1: %2")
                            .arg(m_volume.volumeMountPoint, result.error));
            const int error = result.errorNumber;
            m_report.reason = error == EROFS                      ? kReadOnly
                              : error == EACCES || error == EPERM ? kNoPermission
                                                                  : result.error;
            return;
        }
        post(QStringLiteral("Erased 100% in %1 of %2 %3")
                 .arg(pass)
                 .arg(m_passes)
                 .arg(m_passes > 1 ? QStringLiteral("passes") : QStringLiteral("pass")),
             100);
    }
    m_report.dataOverwritten = !m_cancel;
    if (!folder.remove())
        Logger::log(QStringLiteral("free-space wipe of %1: the work folder %2 keeps files that "
                                   "are not the wipe's; it is left")
                        .arg(m_volume.volumeMountPoint, folder.name()));
    if (m_cancel)
        return;
    if (const QString reached = m_report.reachedText(); !reached.isEmpty())
        m_report.notes.prepend(reached);

    // Names of deleted files that an ext4 journal still holds: checkpointed and zeroed.
    const QByteArray mount = QFile::encodeName(m_volume.volumeMountPoint);
    const int fd = ::open(mount.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        __u32 flags = kCheckpointZeroOut;
        const int zeroed = ::ioctl(fd, EXT4_IOC_CHECKPOINT, &flags) == 0 ? 0 : errno;
        if (zeroed == EPERM)
            m_report.notes << QStringLiteral("Names of deleted files may remain in the file "
                                             "system journal: emptying it needs administrator "
                                             "rights.");
        if (m_volume.solidState) {
            struct fstrim_range range {};
            range.len = UINT64_MAX;
            if (::ioctl(fd, FITRIM, &range) == 0)
                m_report.notes << QStringLiteral("The free space was trimmed.");
            m_report.notes << QStringLiteral("On solid-state storage overwriting is at best a "
                                             "clear, not a purge: the drive may keep copies in "
                                             "blocks it has set aside.");
        }
        ::close(fd);
    }
}

bool FreeSpaceWipeJob::keepsNamesInFolderSlots() const {
    if (m_volume.volumeType.startsWith(QLatin1String("MS-DOS")) ||
        m_volume.volumeType == QLatin1String("ExFAT"))
        return true;
    const QString type = FileSystemInfo::forPath(m_volume.volumeMountPoint).type;
    return type == QLatin1String("vfat") || type == QLatin1String("msdos") ||
           type == QLatin1String("exfat");
}

void FreeSpaceWipeJob::whileFull(int workFolderFd) {
    QElapsedTimer clock;
    clock.start();
    if (MetadataFiller::keepsDataInMetadata(workFolderFd)) {
        overwriteFreeMetadata(workFolderFd);
        m_report.metadataMilliseconds = clock.elapsed();
    } else if (!m_options.wholeVolume && keepsNamesInFolderSlots()) {
        // A volume formatted anew has no removed names in its folders.
        overwriteFreeSlots();
        m_report.folderSlotsMilliseconds = clock.elapsed();
    }
}

void FreeSpaceWipeJob::overwriteFreeMetadata(int workFolderFd) {
    const MetadataFiller::Result result = MetadataFiller(workFolderFd, m_cancel).fill();
    m_report.metadataEntries = result.entries;
    if (result.cancelled)
        return;
    m_report.metadata = result.ok ? Report::Reach::Overwritten : Report::Reach::NotOverwritten;
    if (!result.ok) {
        Logger::log(QStringLiteral("free metadata of %1 not overwritten: %2")
                        .arg(m_volume.volumeMountPoint, result.error));
        m_report.notes << QStringLiteral("Small files and names of deleted files may remain in "
                                         "the file system's metadata: %1.")
                              .arg(result.error);
    }
}

QList<QString> FreeSpaceWipeJob::foldersNamedIn(const QString& srmOutput) {
    static const QString kPrefix = QStringLiteral("srm: ");
    static const QString kSuffix = QStringLiteral(": free slots not overwritten");
    QList<QString> folders;
    for (const QString& line : srmOutput.split(QLatin1Char('\n')))
        if (line.startsWith(kPrefix) && line.endsWith(kSuffix) &&
            line.size() > kPrefix.size() + kSuffix.size())
            folders << line.mid(kPrefix.size(), line.size() - kPrefix.size() - kSuffix.size());
    return folders;
}

void FreeSpaceWipeJob::overwriteFreeSlots() {
    static const QString kNamesMayRemain =
        QStringLiteral("Names of deleted files may remain in some folders of this volume.");
    QString problem;
    const QString srm = SrmTool::locate(&problem);
    if (srm.isEmpty()) {
        Logger::log(QStringLiteral("free slots of %1 not overwritten: %2")
                        .arg(m_volume.volumeMountPoint, problem));
        m_report.folderSlots = Report::Reach::NotOverwritten;
        m_report.notes << kNamesMayRemain;
        return;
    }
    QProcess tool;
    ChildProcessTie::tieToThisProcess(tool);
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(srm, {QStringLiteral("--free-slots"), QStringLiteral("--volume-full"),
                     QStringLiteral("--"), m_volume.volumeMountPoint});
    // srm ends cleanly on SIGTERM: the folder it is in loses its throw-away entries first.
    while (!tool.waitForFinished(200))
        if (tool.state() == QProcess::NotRunning)
            break;
        else if (m_cancel)
            tool.terminate();
    if (m_cancel)
        return;
    if (tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0) {
        m_report.folderSlots = Report::Reach::Overwritten;
        return;
    }
    const QString output = QString::fromLocal8Bit(tool.readAll()).trimmed();
    Logger::log(QStringLiteral("free slots of %1: %2").arg(m_volume.volumeMountPoint, output));
    m_report.foldersNotReached = foldersNamedIn(output);
    if (m_report.foldersNotReached.isEmpty()) {
        m_report.folderSlots = Report::Reach::NotOverwritten;
        m_report.notes << kNamesMayRemain;
    } else {
        m_report.folderSlots = Report::Reach::Partly;
    }
}

QString FreeSpaceWipeJob::Report::reachedText() const {
    if (!dataOverwritten)
        return QString();
    QStringList done{QStringLiteral("the free data blocks")};
    QStringList notDone;
    const auto seconds = [](qint64 ms) { return QString::number(double(ms) / 1000.0, 'f', 1); };
    switch (metadata) {
    case Reach::NotKept:
        break;
    case Reach::Overwritten:
    case Reach::Partly:
        done << QStringLiteral("the free metadata blocks (%1 throw-away entries, %2 s)")
                    .arg(metadataEntries)
                    .arg(seconds(metadataMilliseconds));
        break;
    case Reach::NotOverwritten:
        notDone << QStringLiteral("the free metadata blocks");
        break;
    }
    switch (folderSlots) {
    case Reach::NotKept:
        break;
    case Reach::Overwritten:
        done << QStringLiteral("the free slots of every folder");
        break;
    case Reach::Partly:
        done << QStringLiteral("the free slots of every folder but %1")
                    .arg(foldersNotReached.size());
        notDone << QStringLiteral("the free slots of %1")
                       .arg(foldersNotReached.join(QStringLiteral(", ")));
        break;
    case Reach::NotOverwritten:
        notDone << QStringLiteral("the free slots of the folders");
        break;
    }
    QString text = QStringLiteral("Overwritten: %1.").arg(done.join(QStringLiteral(", ")));
    if (!notDone.isEmpty())
        text += QStringLiteral(" Not overwritten: %1.").arg(notDone.join(QStringLiteral("; ")));
    return text;
}

void FreeSpaceWipeJob::finish() {
    if (!m_running)
        return;
    m_running = false;
    if (m_cancel) {
        m_report.cancelled = true;
        m_report.reason = kCancelled;
    }
    m_report.ok = m_report.reason.isEmpty();
    m_report.successText = m_options.wholeVolume ? kWholeVolumeDone : kFreeSpaceDone;
    if (m_options.recordHistory) {
        const QString result = m_report.ok ? QStringLiteral("Erased") : QStringLiteral("Failed");
        VolumeErasureFacts::complete(m_facts, m_volume, m_passes, m_report, m_options.wholeVolume,
                                     m_report.cancelled ? QStringLiteral("Cancelled") : result);
        const bool recorded =
            DoDataBase::returnDoDataBase()
                ->recordVolume(m_volume.volumeName, result, !m_options.wholeVolume, m_passes,
                               m_facts.toBytes())
                .ok();
        m_report.historyRecorded = recorded;
        m_report.historyFailed = !recorded;
        // The unseen-history badge is a convenience: the entry is recorded without it.
        if (!PublicUtilities::writeUpDataHistoryStr(QStringLiteral("WipeVolumeHistory"),
                                                    QStringLiteral("1")))
            Logger::log(QStringLiteral("wipe: cannot set WipeVolumeHistory in the settings store"));
    }
    emit finished();
}

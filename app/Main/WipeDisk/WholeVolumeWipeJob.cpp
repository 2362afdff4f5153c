#include "app/Main/WipeDisk/WholeVolumeWipeJob.h"

#include "app/Main/WipeDisk/VolumeErasureFacts.h"

#include "app/Comm/PublicUtilities.h"
#include "app/Main/FileEraser/EraseJob.h"
#include "app/Main/WipeDisk/DiskUtil.h"
#include "app/Main/WipeDisk/FreeSpaceWipeLock.h"
#include "app/inter/DoDataBase.h"
#include "platform/ChildProcessTie.h"
#include "platform/FileSystemInfo.h"
#include "platform/Logger.h"

#include <QDir>
#include <QTimer>

namespace {

QStringList entriesOf(const QString& mountPoint) {
    QStringList names =
        QDir(mountPoint)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    // Part of a fresh ext2/3/4 file system, not something that was on it.
    names.removeAll(QStringLiteral("lost+found"));
    return names;
}

} // namespace

WholeVolumeWipeJob::WholeVolumeWipeJob(VolumeObj volume, Options options, QObject* parent)
    : QObject(parent), m_volume(std::move(volume)), m_options(std::move(options)) {}

WholeVolumeWipeJob::~WholeVolumeWipeJob() {
    if (m_reformat) {
        m_reformat->disconnect(this);
        m_reformat->waitForFinished(-1); // never leave a device half made
    }
}

bool WholeVolumeWipeJob::isStartupVolume(const VolumeObj& volume) {
    return volume.volumeMountPoint == QLatin1String("/");
}

int WholeVolumeWipeJob::passes() const {
    return FreeSpaceWipeJob::passesFor(m_options.level, m_options.programName);
}

void WholeVolumeWipeJob::start() {
    if (m_running)
        return;
    m_running = true;
    m_cancel = false;
    m_formatted = false;
    m_report = FreeSpaceWipeJob::Report();
    if (m_options.recordHistory)
        m_facts = ErasureFacts::begin(ErasureFacts::kVolume);
    if (isStartupVolume(m_volume)) {
        QTimer::singleShot(0, this, [this] { fail(kStartupVolume); });
        return;
    }
    if (passes() == 0) {
        QTimer::singleShot(0, this,
                           [this] { fail(FreeSpaceWipeJob::kUnknownLevel.arg(m_options.level)); });
        return;
    }
    // A free-space wipe of this volume that runs would lose the volume under it. The lock is
    // only tried, not kept: an open root folder would keep the volume from being unmounted.
    if (FreeSpaceWipeLock().acquire(m_volume.volumeMountPoint) ==
        FreeSpaceWipeLock::Outcome::AnotherWipe) {
        QTimer::singleShot(0, this, [this] { fail(FreeSpaceWipeJob::kAnotherWipe); });
        return;
    }
    m_oldEntries = entriesOf(m_volume.volumeMountPoint);
    QString problem;
    const QString tool = DiskUtil::toolPath(&problem);
    if (tool.isEmpty()) {
        QTimer::singleShot(0, this, [this, problem] { fail(problem); });
        return;
    }
    QStringList args;
    if (FileSystemInfo::isNtfsType(m_volume.volumeType))
        args = {QStringLiteral("eraseVolume"), QStringLiteral("MS-DOS FAT32"),
                QStringLiteral("NEW"), m_volume.volRootDir};
    else
        args = {QStringLiteral("reformat"), m_volume.volumePath};
    if (!m_volume.diskUUID.isEmpty())
        args << QStringLiteral("--uuid") << m_volume.diskUUID;
    m_reformat = new QProcess(this);
    ChildProcessTie::tieToThisProcess(*m_reformat);
    connect(m_reformat, &QProcess::readyReadStandardOutput, this, [this] {
        m_reformatOutput += m_reformat->readAllStandardOutput();
        if (m_reformatOutput.contains("Mounting disk")) {
            m_reformatOutput.replace("Mounting disk", "Mounted");
            emit volumesChanged();
        }
    });
    connect(m_reformat, &QProcess::finished, this, &WholeVolumeWipeJob::reformatEnded);
    emit progress(QStringLiteral("Formatting %1…").arg(m_volume.volumeName), 1);
    m_reformat->start(tool, args);
}

void WholeVolumeWipeJob::cancel() {
    m_cancel = true;
    if (m_erase)
        m_erase->cancel();
    if (m_freeSpace)
        m_freeSpace->cancel();
}

void WholeVolumeWipeJob::reformatEnded(int exitCode, QProcess::ExitStatus status) {
    const QString err = QString::fromLocal8Bit(m_reformat->readAllStandardError()).trimmed();
    m_reformat->deleteLater();
    if (status != QProcess::NormalExit || exitCode != 0) {
        Logger::log(QStringLiteral("reformat of %1 failed: %2").arg(m_volume.volumePath, err));
        fail(err.isEmpty() ? QStringLiteral("The volume could not be formatted.") : err);
        return;
    }
    m_formatted = true;
    emit volumesChanged();
    // The volume as it is now (an NTFS volume is "NEW" now).
    const QVariantMap info = DiskUtil::getDisjInfo(m_volume.volumePath);
    if (info.isEmpty()) {
        fail(QStringLiteral("The formatted volume did not come back."));
        return;
    }
    m_volume = VolumeObj::fromDictionary(info);
    emit progress(QStringLiteral("Formatting %1…").arg(m_volume.volumeName), kFormatted);
    for (const QString& name : m_oldEntries) {
        if (QFileInfo::exists(m_volume.volumeMountPoint + QLatin1Char('/') + name)) {
            m_formatted = false; // whatever the tool said, the old content is there
            fail(QStringLiteral("The volume still holds its old files after it was formatted."));
            return;
        }
    }
    if (m_cancel) {
        fail(FreeSpaceWipeJob::kCancelled);
        return;
    }
    eraseContents();
}

void WholeVolumeWipeJob::eraseContents() {
    QStringList entries = entriesOf(m_volume.volumeMountPoint);
    // The FUSE FAT driver shows the volume label's entry as an empty file of that name: it is
    // part of the fresh file system, and removing it would lose the name.
    if (m_volume.volumeType.startsWith(QLatin1String("MS-DOS"))) {
        const QFileInfo label(m_volume.volumeMountPoint + QLatin1Char('/') + m_volume.volumeName);
        if (label.isFile() && !label.isSymLink() && label.size() == 0)
            entries.removeAll(m_volume.volumeName);
    }
    if (entries.isEmpty()) {
        wipeFreeSpace();
        return;
    }
    EraseJob::Options options;
    options.programName = m_options.programName;
    options.level = m_options.level;
    options.recordHistory = false;
    options.consented = true;
    m_erase = new EraseJob(options, this);
    QList<FileObjPtr> chosen;
    for (const QString& name : entries)
        chosen << m_erase->builder().addFileToArr(m_volume.volumeMountPoint + QLatin1Char('/') +
                                                  name);
    struct EndListener : EraseJobListener {
        WholeVolumeWipeJob* job;
        void eraseFinished(const EraseReport& report) override {
            QMetaObject::invokeMethod(
                job,
                [job = job, ok = report.allErased()] {
                    if (job->m_cancel)
                        job->fail(FreeSpaceWipeJob::kCancelled);
                    else if (!ok)
                        job->fail(QStringLiteral("What the fresh file system held could not be "
                                                 "erased."));
                    else
                        job->wipeFreeSpace();
                },
                Qt::QueuedConnection);
        }
    };
    auto* listener = new EndListener;
    listener->job = this;
    connect(m_erase, &QObject::destroyed, [listener] { delete listener; });
    m_erase->setListener(listener);
    m_erase->start(chosen);
}

void WholeVolumeWipeJob::wipeFreeSpace() {
    // This job records the end itself: it knows the volume was formatted.
    m_freeSpace =
        new FreeSpaceWipeJob(m_volume, {m_options.level, false, true, m_options.programName}, this);
    // The passes write nearly the whole device: they take the bar from where formatting and the
    // erasure left it, so it only ever moves forward.
    connect(m_freeSpace, &FreeSpaceWipeJob::progress, this,
            [this](const QString& text, double percent) {
                emit progress(text, kPassesStart + percent * (100 - kPassesStart) / 100);
            });
    connect(m_freeSpace, &FreeSpaceWipeJob::finished, this, [this] {
        const FreeSpaceWipeJob::Report& passes = m_freeSpace->report();
        if (!passes.ok) {
            m_report.notes = passes.notes;
            fail(passes.reason);
            return;
        }
        m_report = passes;
        m_report.volumeEmptied = true;
        record(QStringLiteral("Erased"));
        end();
    });
    if (m_cancel) {
        fail(FreeSpaceWipeJob::kCancelled);
        return;
    }
    m_freeSpace->start();
}

void WholeVolumeWipeJob::fail(const QString& reason) {
    m_report.ok = false;
    m_report.cancelled = m_cancel;
    m_report.volumeEmptied = m_formatted;
    if (m_formatted)
        m_report.reason = m_cancel ? kStoppedAfterFormat : kFailedAfterFormat.arg(reason);
    else
        m_report.reason = reason; // a reformat that failed says so even when it was cancelled
    record(m_formatted ? kEmptiedResult : QStringLiteral("Failed"));
    end();
}

void WholeVolumeWipeJob::record(const QString& result) {
    if (!m_options.recordHistory)
        return;
    VolumeErasureFacts::complete(m_facts, m_volume, passes(), m_report, true,
                                 m_cancel && result != QLatin1String("Erased")
                                     ? QStringLiteral("Cancelled: %1").arg(result)
                                     : result);
    const bool recorded =
        DoDataBase::returnDoDataBase()
            ->recordVolume(m_volume.volumeName, result, false, passes(), m_facts.toBytes())
            .ok();
    m_report.historyRecorded = recorded;
    m_report.historyFailed = !recorded;
    // The unseen-history badge is a convenience: the entry is recorded without it.
    if (!PublicUtilities::writeUpDataHistoryStr(QStringLiteral("WipeVolumeHistory"),
                                                QStringLiteral("1")))
        Logger::log(QStringLiteral("wipe: cannot set WipeVolumeHistory in the settings store"));
}

void WholeVolumeWipeJob::end() {
    if (!m_running)
        return;
    m_running = false;
    emit finished();
}

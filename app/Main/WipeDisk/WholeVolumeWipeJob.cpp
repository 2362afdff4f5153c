#include "app/Main/WipeDisk/WholeVolumeWipeJob.h"

#include "app/Main/FileEraser/EraseJob.h"
#include "app/Main/WipeDisk/DiskUtil.h"
#include "app/inter/DoDataBase.h"
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
    m_report = FreeSpaceWipeJob::Report();
    if (isStartupVolume(m_volume)) {
        QTimer::singleShot(0, this, [this] { fail(kStartupVolume); });
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
    m_freeSpace = new FreeSpaceWipeJob(
        m_volume, {m_options.level, m_options.recordHistory, true, m_options.programName}, this);
    // The passes write nearly the whole device: they take the bar from where formatting and the
    // erasure left it, so it only ever moves forward.
    connect(m_freeSpace, &FreeSpaceWipeJob::progress, this,
            [this](const QString& text, double percent) {
                emit progress(text, kPassesStart + percent * (100 - kPassesStart) / 100);
            });
    connect(m_freeSpace, &FreeSpaceWipeJob::finished, this, [this] {
        m_report = m_freeSpace->report();
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
    m_report.reason = m_cancel ? FreeSpaceWipeJob::kCancelled : reason;
    if (m_options.recordHistory) {
        DoDataBase::returnDoDataBase()->writeWipeVolumesOrFree(m_volume.volumeName,
                                                               QStringLiteral("Failed"), false);
        m_report.historyRecorded = true;
    }
    end();
}

void WholeVolumeWipeJob::end() {
    if (!m_running)
        return;
    m_running = false;
    emit finished();
}

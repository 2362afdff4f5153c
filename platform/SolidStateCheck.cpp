#include "platform/SolidStateCheck.h"

#include "platform/Logger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <libmount/libmount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

const QString kNotFound = QStringLiteral("Could not find io classes of disk");
const QString kCannotIterate = QStringLiteral("Can't iterate services");
const QString kNoParent = QStringLiteral("Error while getting parent service entry");

void logFailure(const QString& what, const QString& subject, const QString& reason) {
    Logger::log(QStringLiteral("%1: %2 (%3)").arg(what, subject, reason));
}

QString errnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString readAttribute(const QString& path, bool* ok) {
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

} // namespace

SolidStateCheck::SolidStateCheck(QString sysfsRoot, QString mountInfoFile)
    : m_sysfsRoot(std::move(sysfsRoot)), m_mountInfoFile(std::move(mountInfoFile)) {}

QString SolidStateCheck::deviceFolder(dev_t device) const {
    if (device == 0)
        return {};
    const QString link =
        QStringLiteral("%1/dev/block/%2:%3").arg(m_sysfsRoot).arg(major(device)).arg(minor(device));
    return QFileInfo(link).canonicalFilePath();
}

QString SolidStateCheck::wholeDiskFolder(const QString& deviceFolder) {
    if (deviceFolder.isEmpty())
        return {};
    if (QFileInfo::exists(deviceFolder + QStringLiteral("/partition")))
        return QFileInfo(deviceFolder).absolutePath();
    return deviceFolder;
}

dev_t SolidStateCheck::mountSourceDevice(dev_t fileSystemDevice) const {
    libmnt_table* table = mnt_new_table();
    if (!table)
        return 0;
    const QByteArray file = QFile::encodeName(m_mountInfoFile);
    const int rc = m_mountInfoFile.isEmpty() ? mnt_table_parse_mtab(table, nullptr)
                                             : mnt_table_parse_file(table, file.constData());
    dev_t result = 0;
    if (rc == 0) {
        libmnt_fs* fs = mnt_table_find_devno(table, fileSystemDevice, MNT_ITER_BACKWARD);
        const char* source = fs ? mnt_fs_get_srcpath(fs) : nullptr;
        struct stat st {};
        if (source && stat(source, &st) == 0 && S_ISBLK(st.st_mode))
            result = st.st_rdev;
    }
    mnt_free_table(table);
    return result;
}

dev_t SolidStateCheck::blockDeviceOf(const QString& path) const {
    struct stat st {};
    if (lstat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    if (!deviceFolder(st.st_dev).isEmpty())
        return st.st_dev;
    return mountSourceDevice(st.st_dev);
}

bool SolidStateCheck::isSolidState(const QString& path) const {
    struct stat st {};
    if (lstat(QFile::encodeName(path).constData(), &st) != 0) {
        logFailure(kNotFound, path, QStringLiteral("lstat: ") + errnoText());
        return false;
    }
    const QString folder = deviceFolder(blockDeviceOf(path));
    if (folder.isEmpty()) {
        logFailure(kNotFound, path,
                   QStringLiteral("no block device for %1:%2")
                       .arg(major(st.st_dev))
                       .arg(minor(st.st_dev)));
        return false;
    }
    return mediumOf(folder, 0) == Medium::Solid;
}

SolidStateCheck::Medium SolidStateCheck::mediumOf(const QString& folder, int level) const {
    if (level > kMaxLevels) {
        logFailure(kNoParent, folder, QStringLiteral("device tree deeper than %1").arg(kMaxLevels));
        return Medium::Unknown;
    }
    const QString disk = wholeDiskFolder(folder);
    if (!QFileInfo::exists(disk + QStringLiteral("/dev"))) {
        logFailure(kNoParent, folder, QStringLiteral("no disk above the partition"));
        return Medium::Unknown;
    }

    // Device-mapper, md and similar: the data lives on the slaves, all of which must be solid.
    const QString slavesPath = disk + QStringLiteral("/slaves");
    if (QFileInfo(slavesPath).isDir()) {
        QDir slaves(slavesPath);
        if (!slaves.isReadable()) {
            logFailure(kCannotIterate, slavesPath, QStringLiteral("cannot list"));
            return Medium::Unknown;
        }
        const QStringList names =
            slaves.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        if (!names.isEmpty()) {
            Medium combined = Medium::Solid;
            for (const QString& name : names) {
                const QString slave = QFileInfo(slaves.filePath(name)).canonicalFilePath();
                if (slave.isEmpty()) {
                    logFailure(kNoParent, slaves.filePath(name), QStringLiteral("dangling slave"));
                    return Medium::Unknown;
                }
                const Medium medium = mediumOf(slave, level + 1);
                if (medium == Medium::Unknown)
                    return Medium::Unknown;
                if (medium == Medium::Rotating)
                    combined = Medium::Rotating;
            }
            return combined;
        }
    }

    if (QFileInfo::exists(disk + QStringLiteral("/loop/backing_file")))
        return mediumOfLoop(disk, level);

    bool ok = false;
    const QString rotational = readAttribute(disk + QStringLiteral("/queue/rotational"), &ok);
    if (!ok) {
        logFailure(kCannotIterate, disk + QStringLiteral("/queue/rotational"),
                   QStringLiteral("unreadable"));
        return Medium::Unknown;
    }
    return rotational == QLatin1String("0") ? Medium::Solid : Medium::Rotating;
}

SolidStateCheck::Medium SolidStateCheck::mediumOfLoop(const QString& disk, int level) const {
    bool ok = false;
    QString backing = readAttribute(disk + QStringLiteral("/loop/backing_file"), &ok);
    const QString deletedMark = QStringLiteral(" (deleted)");
    if (backing.endsWith(deletedMark))
        backing.chop(deletedMark.size());
    struct stat st {};
    if (!ok || backing.isEmpty() || stat(QFile::encodeName(backing).constData(), &st) != 0) {
        logFailure(kNoParent, disk, QStringLiteral("backing file \"%1\" unreadable").arg(backing));
        return Medium::Unknown;
    }
    QString folder = deviceFolder(st.st_dev);
    if (folder.isEmpty())
        folder = deviceFolder(mountSourceDevice(st.st_dev));
    if (folder.isEmpty()) {
        logFailure(kNoParent, disk, QStringLiteral("no block device under %1").arg(backing));
        return Medium::Unknown;
    }
    return mediumOf(folder, level + 1);
}

#include "platform/FileSystemInfo.h"

#include "platform/Logger.h"
#include "platform/SolidStateCheck.h"

#include <QFile>
#include <QFileInfo>
#include <blkid/blkid.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <libmount/libmount.h>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

struct TableDeleter {
    void operator()(libmnt_table* table) const { mnt_free_table(table); }
};
using TablePtr = std::unique_ptr<libmnt_table, TableDeleter>;

QString errnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The place whose file system counts. A symbolic link lives in its folder, wherever it points,
// and is written (replaced, removed) through that folder, so the folder answers for it.
QString locationOf(const QString& path) {
    const QFileInfo info(path);
    return info.isSymLink() ? QFileInfo(info.absolutePath()).canonicalFilePath()
                            : info.canonicalFilePath();
}

struct Probe {
    QString type;
    QString version;
};

// Reads the file system signature on SOURCE (a block device or an image file). Anything else,
// such as a FIFO that would block or a device that vanished, is left alone.
Probe probeSource(const QString& source) {
    Probe result;
    if (!source.startsWith(QLatin1Char('/')))
        return result;
    const int fd = open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        Logger::log(QStringLiteral("probe %1: open: %2").arg(source, errnoText()));
        return result;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !(S_ISBLK(st.st_mode) || S_ISREG(st.st_mode))) {
        close(fd);
        return result;
    }
    blkid_probe probe = blkid_new_probe();
    if (probe && blkid_probe_set_device(probe, fd, 0, 0) == 0) {
        blkid_probe_enable_superblocks(probe, 1);
        blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_TYPE | BLKID_SUBLKS_VERSION);
        if (blkid_do_safeprobe(probe) == 0) {
            const char* value = nullptr;
            if (blkid_probe_lookup_value(probe, "TYPE", &value, nullptr) == 0 && value)
                result.type = QString::fromUtf8(value);
            if (blkid_probe_lookup_value(probe, "VERSION", &value, nullptr) == 0 && value)
                result.version = QString::fromUtf8(value);
        }
    }
    if (probe)
        blkid_free_probe(probe);
    close(fd);
    return result;
}

// ntfs-3g mounting an image file directly writes plain "fuse" into the table.
bool isFuseType(const QString& type) {
    return type == QLatin1String("fuse") || type == QLatin1String("fuseblk") ||
           type.startsWith(QLatin1String("fuse."));
}

// Some FUSE drivers do not name their device in the mount table (fusefat says "fusefat"); their
// subtype still tells the file system.
QString typeOfFuseDriver(const QString& type) {
    static const struct {
        const char* driver;
        const char* type;
    } drivers[] = {
        {"fuse.fusefat", "vfat"}, {"fuse.exfat", "exfat"},     {"fuse.exfat-fuse", "exfat"},
        {"fuse.ntfs-3g", "ntfs"}, {"fuse.lowntfs-3g", "ntfs"}, {"fuse.ntfs", "ntfs"},
    };
    for (const auto& entry : drivers)
        if (type == QLatin1String(entry.driver))
            return QString::fromLatin1(entry.type);
    return {};
}

} // namespace

FileSystemInfo FileSystemInfo::forPath(const QString& path) {
    return forPath(path, Sources{});
}

FileSystemInfo FileSystemInfo::forPath(const QString& path, const Sources& sources) {
    FileSystemInfo info;
    const QString location = path.isEmpty() ? QString() : locationOf(path);
    if (location.isEmpty()) {
        Logger::log(QStringLiteral("file system of \"%1\": no such path").arg(path));
        return info;
    }
    struct statvfs fsStat {};
    const QByteArray encoded = QFile::encodeName(location);
    if (statvfs(encoded.constData(), &fsStat) != 0) {
        Logger::log(QStringLiteral("file system of %1: statvfs: %2").arg(location, errnoText()));
        return info;
    }

    TablePtr table(mnt_new_table());
    const QByteArray mountInfo = QFile::encodeName(sources.mountInfoFile);
    const int rc = !table ? -ENOMEM
                   : sources.mountInfoFile.isEmpty()
                       ? mnt_table_parse_mtab(table.get(), nullptr)
                       : mnt_table_parse_file(table.get(), mountInfo.constData());
    // The most recent mount on the longest mount point that contains the location.
    libmnt_fs* fs =
        rc == 0 ? mnt_table_find_mountpoint(table.get(), encoded.constData(), MNT_ITER_BACKWARD)
                : nullptr;
    if (!fs) {
        Logger::log(QStringLiteral("file system of %1: not in the mount table (%2)")
                        .arg(location, rc == 0 ? QStringLiteral("no entry")
                                               : QString::fromLocal8Bit(std::strerror(-rc))));
        return info;
    }
    info.mountPoint = QString::fromUtf8(mnt_fs_get_target(fs));
    info.source = QString::fromUtf8(mnt_fs_get_source(fs) ? mnt_fs_get_source(fs) : "");
    info.type = QString::fromUtf8(mnt_fs_get_fstype(fs) ? mnt_fs_get_fstype(fs) : "");

    struct stat sourceStat {};
    const bool blockSource = info.source.startsWith(QLatin1Char('/')) &&
                             stat(QFile::encodeName(info.source).constData(), &sourceStat) == 0 &&
                             S_ISBLK(sourceStat.st_mode);

    // FUSE mounts say only "fuseblk"/"fuse.*"; the device tells what it really holds. FAT's
    // variant (FAT12/16/32) is read from the device as well, for the description.
    QString version;
    if (isFuseType(info.type) || info.type == QLatin1String("vfat")) {
        const Probe probe = probeSource(info.source);
        if (isFuseType(info.type)) {
            const QString driverType = typeOfFuseDriver(info.type);
            if (!probe.type.isEmpty())
                info.type = probe.type;
            else if (!driverType.isEmpty())
                info.type = driverType;
        }
        if (probe.type == info.type)
            version = probe.version;
    }

    const bool readOnly = (fsStat.f_flag & ST_RDONLY) != 0 || mnt_fs_match_options(fs, "ro") == 1;
    info.writable = !readOnly && access(encoded.constData(), W_OK) == 0;
    info.unmountable = blockSource && info.mountPoint != QLatin1String("/");

    const SolidStateCheck sysfs(sources.sysfsRoot, sources.mountInfoFile);
    const dev_t device = blockSource ? sourceStat.st_rdev : mnt_fs_get_devno(fs);
    const QString disk = SolidStateCheck::wholeDiskFolder(sysfs.deviceFolder(device));
    if (!disk.isEmpty()) {
        QFile removableFlag(disk + QStringLiteral("/removable"));
        if (removableFlag.open(QIODevice::ReadOnly))
            info.removable = removableFlag.readAll().trimmed() == "1";
    }
    info.description = describe(info.type, version);
    info.success = true;
    return info;
}

bool FileSystemInfo::isNtfsType(const QString& type) {
    return type.contains(QLatin1String("ntfs")) || type.contains(QLatin1String("NTFS"));
}

bool FileSystemInfo::isNtfsOrLifsType(const QString& type) {
    return isNtfsType(type) || type.toLower().contains(QLatin1String("lifs"));
}

bool FileSystemInfo::isCopyOnWriteType(const QString& type) {
    static const QStringList copyOnWrite = {QStringLiteral("btrfs"), QStringLiteral("zfs"),
                                            QStringLiteral("bcachefs")};
    return copyOnWrite.contains(type);
}

QString FileSystemInfo::describe(const QString& type, const QString& version) {
    struct Name {
        const char* type;
        const char* name;
    };
    static const Name names[] = {
        {"vfat", "FAT"},       {"msdos", "FAT"},
        {"ntfs", "NTFS"},      {"ntfs3", "NTFS"},
        {"exfat", "exFAT"},    {"xfs", "XFS"},
        {"btrfs", "Btrfs"},    {"hfsplus", "Mac OS Extended"},
        {"apfs", "APFS"},      {"iso9660", "ISO 9660"},
        {"udf", "UDF"},        {"f2fs", "F2FS"},
        {"tmpfs", "RAM disk"}, {"nfs", "NFS"},
        {"nfs4", "NFS"},       {"cifs", "SMB"},
    };
    QString name;
    if (!version.isEmpty() && (type == QLatin1String("vfat") || type == QLatin1String("msdos")))
        name = version; // "FAT32"
    for (const Name& entry : names)
        if (name.isEmpty() && type == QLatin1String(entry.type))
            name = QString::fromLatin1(entry.name);
    if (name.isEmpty() || type.isEmpty())
        return type;
    return QStringLiteral("%1 (%2)").arg(name, type);
}

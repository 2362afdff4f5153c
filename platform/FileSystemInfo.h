#pragma once

#include <QString>

// What the system knows about the file system that holds a path: its type (the kernel's name;
// for FUSE mounts of block devices the type found on the device, so an ntfs-3g mount reads
// "ntfs"), a readable description, and whether it is removable, writable and can be unmounted.
// Read from statvfs, the mount table (/proc/self/mountinfo), libblkid and sysfs.
class FileSystemInfo {
public:
    bool success = false;     // the path exists and its file system was found
    bool removable = false;   // the disk under it is removable media
    bool writable = false;    // not mounted read-only and the path is writable by this process
    bool unmountable = false; // a block-device mount other than the root file system
    QString description;      // e.g. "ext4", "FAT32 (vfat)", "NTFS (ntfs)"
    QString type;             // e.g. "ext4", "vfat", "ntfs", "exfat", "tmpfs"
    QString mountPoint;       // where the file system is mounted
    QString source;           // what it was mounted from, e.g. "/dev/sdb1"

    // Where the information comes from; tests replace both.
    struct Sources {
        QString mountInfoFile; // empty: this process's mount table
        QString sysfsRoot = QStringLiteral("/sys");
    };

    static FileSystemInfo forPath(const QString& path);
    static FileSystemInfo forPath(const QString& path, const Sources& sources);

    // The loader's NTFS test: the type contains "ntfs" or "NTFS" (case-sensitive).
    static bool isNtfsType(const QString& type);
    // The file-eraser module's wider test: NTFS as above, or "lifs" in the lower-cased type.
    static bool isNtfsOrLifsType(const QString& type);

    // Copy-on-write volumes (btrfs, zfs, bcachefs) write changed data to new blocks, so
    // overwriting a file there leaves its earlier blocks in the free space.
    static bool isCopyOnWriteType(const QString& type);

    // The description for a file system TYPE with the VERSION the probe reported (may be empty).
    static QString describe(const QString& type, const QString& version);
};

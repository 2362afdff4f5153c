#pragma once

#include <QString>
#include <sys/types.h>

// Whether a path lies on solid-state storage, read from sysfs: the block device under the path is
// followed down to the disks that hold its data (a partition to its disk, device-mapper and md
// devices to their slaves, a loop device to the device under its backing file), and the storage
// is solid state when every such disk reports queue/rotational = 0.
//
// The sysfs root and the mount table can be replaced, so tests can build a fake device tree.
class SolidStateCheck {
public:
    // Walks deeper than this are treated as a loop in the device tree.
    static constexpr int kMaxLevels = 9;

    explicit SolidStateCheck(QString sysfsRoot = QStringLiteral("/sys"),
                             QString mountInfoFile = QString());

    // False when the storage rotates or cannot be determined (the reason goes to the log).
    bool isSolidState(const QString& path) const;

    // The block device holding PATH: the device of its file system or, where the file system
    // uses an anonymous device number (btrfs, some FUSE mounts), the block device it was mounted
    // from. 0 when there is none (tmpfs, network file systems).
    dev_t blockDeviceOf(const QString& path) const;
    // The sysfs folder of block device DEV (…/block/sda/sda1); empty when sysfs has none.
    QString deviceFolder(dev_t device) const;
    // The whole disk a device folder belongs to: a partition's parent, otherwise the folder.
    static QString wholeDiskFolder(const QString& deviceFolder);

private:
    enum class Medium { Solid, Rotating, Unknown };
    Medium mediumOf(const QString& folder, int level) const;
    Medium mediumOfLoop(const QString& folder, int level) const;
    dev_t mountSourceDevice(dev_t fileSystemDevice) const;

    QString m_sysfsRoot;
    QString m_mountInfoFile;
};

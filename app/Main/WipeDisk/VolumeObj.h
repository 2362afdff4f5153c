#pragma once

#include <QString>
#include <QVariantMap>
#include <QtGlobal>

// One mounted volume, as the volume modules show and use it.
struct VolumeObj {
    QString volumeName;
    QString volumeType;       // the file-system name ("MS-DOS FAT32", "ext4"), set by this module
    QString diskType;         // the same name, set instead by the disk tools
    QString volumePath;       // the device node: identifies the volume
    QString volRootDir;       // the same device node, where a command needs the device
    QString volumeMountPoint; // "/" for the start-up volume
    QString volumeTotalSize;  // size texts
    QString volumeFreeSize;
    qint64 volumeTotalSizeNum = 0;
    qint64 volumeFreeSizeNum = 0; // the free-space wipe sizes its work on it
    QString BusProtocol;
    bool bCanEject = false;
    QString diskUUID;        // the file system's UUID: the identity a wipe checks
    QString parentWholeDisk; // set by the disk tools
    bool solidState = false;

    // A record from one volume's dictionary as diskutil prints it (the free-space rule applied,
    // the size texts made); volumeType and diskUUID are set, diskType and parentWholeDisk not.
    static VolumeObj fromDictionary(const QVariantMap& info);
    // Free bytes: "FreeSpace", or for APFS reporting 0 its container's free space.
    static qint64 freeBytesOf(const QVariantMap& info);
    // The size text of B bytes ("999 byte", "1.00 KB", …, "1.00 TB").
    static QString byteToSizeWithByte(qint64 bytes);
};

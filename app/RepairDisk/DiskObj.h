#pragma once

#include "app/Main/WipeDisk/VolumeObj.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// One disk with its volumes, mounted or not, as the disk tools show it.
struct DiskObj {
    QString name;       // the kernel's name, "sdb"
    QString deviceNode; // "/dev/sdb"
    qint64 totalSizeNum = 0;
    QString totalSize; // its size text
    QString mediaName; // the model, or a loop device's image file
    QString busProtocol;
    bool removable = false;
    QString serial;
    bool solidState = false;
    int logicalBlockSize = 512;
    int physicalBlockSize = 512;
    QString partitionTable;  // "gpt", "dos"; empty when none
    QString contentIdentity; // what the disk holds as one identity, checked by a format
    QString contents;        // what the disk holds, in words: what a new table destroys
    // Its partitions, or the disk itself when it holds a file system directly; diskType and
    // parentWholeDisk set.
    QList<VolumeObj> volumes;

    // A disk from its dictionary in "diskutil disks -plist".
    static DiskObj fromDictionary(const QVariantMap& info);
};

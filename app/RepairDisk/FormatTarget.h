#pragma once

#include "app/Main/WipeDisk/VolumeObj.h"
#include "app/RepairDisk/DiskObj.h"

#include <QList>
#include <QString>
#include <QStringList>

// What a format acts on, found in the disk listing: a mounted volume (made anew and mounted
// where it was), an unmounted volume (a partition, or a file system on a whole disk without a
// table: made anew in place, nothing else on the disk changes) or a whole disk (a new partition
// table with one partition filling it). It says what a format destroys and what of it is
// mounted, for the plan's consent and refusals, and which targets the Disk Format page offers.
class FormatTarget {
public:
    enum class Kind { None, MountedVolume, UnmountedVolume, WholeDisk };

    Kind kind = Kind::None;
    VolumeObj volume; // the volume; for a whole disk a record of the disk (node, size, model)
    DiskObj disk;     // the disk that holds it

    // DEVICE (a device node) among DISKS. NEWTABLE: the user asks for a new partition table, so
    // an unmounted file system on a whole disk is taken as that whole disk.
    static FormatTarget find(const QList<DiskObj>& disks, const QString& device,
                             bool newTable = false);
    // What can be formatted, disk by disk: the whole disk when nothing of it is mounted, then its
    // volumes, mounted or not.
    static QList<FormatTarget> offered(const QList<DiskObj>& disks);

    QString device() const { return volume.volumePath; }
    // "DATA (/dev/sdb1)", or the device alone when it has no name.
    QString shown() const;
    // What a format destroys, in words: "/dev/loop3p1 (ext4, 'DATA')", "partitions loop3p1
    // (ext4, 'DATA'), loop3p2 (no file system)", "nothing".
    QString lost() const;
    // A whole disk without partition table, partitions or file system.
    bool blank() const;
    // What of a whole disk is mounted: "/dev/loop3p2 at /mnt/data".
    QStringList mounted() const;
    // What the device holds as the volume tool's one identity (table id, file-system UUID or
    // "none"); the format is refused when the device no longer holds it.
    QString identity() const;
    qint64 bytes() const { return volume.volumeTotalSizeNum; }
};

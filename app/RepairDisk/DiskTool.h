#pragma once

#include "app/Main/WipeDisk/VolumeObj.h"
#include "app/RepairDisk/DiskObj.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the disk tools do to disks and volumes, for the window and `korvane` alike: each verb
// runs the bundle's volume tool, which refuses anything the running system needs, and comes
// back with whether it worked and a sentence for the user.
class DiskTool {
public:
    struct Result {
        bool ok = false;
        QString message; // what happened, or why not
    };

    // Every disk with its volumes; empty, with PROBLEM set, when the tool failed.
    static QList<DiskObj> listDisks(QString* problem = nullptr);
    // The volume on DEVICE (a device node, or the mount point of a volume) among DISKS; an empty
    // record when there is none.
    static VolumeObj volumeOn(const QList<DiskObj>& disks, const QString& device);

    // The file systems a volume can be formatted to here (their making tool is installed), in
    // the names the format verb takes: "MS-DOS FAT32", "ExFAT", "NTFS", "ext4", "btrfs", "xfs".
    static QStringList formats();
    // The format name for what a user typed ("fat32", "exfat", "EXT4"); empty when unknown.
    static QString formatNamed(const QString& text);
    // Empty when NAME may name a volume of FORMAT; otherwise why not. NAME as FORMAT keeps it
    // (FAT in upper case).
    static QString whyNameInvalid(const QString& format, const QString& name);
    static QString nameAsStored(const QString& format, const QString& name);
    // The same for renaming a volume whose file system is DISKTYPE ("MS-DOS FAT16", "ext3").
    static QString whyVolumeNameInvalid(const QString& diskType, const QString& name);

    // Formats the mounted VOLUME to FORMAT named NAME: a new, empty file system, mounted where
    // the old one was. Refused when the device no longer holds the volume that was listed.
    // Empty when DEVICE may be unmounted, formatted or overwritten; otherwise why not. This is
    // the volume tool's rule of what the running system needs, the one every front end uses;
    // when the tool cannot answer, the answer is its failure (nothing is changed on a guess).
    static QString whyNeeded(const QString& device);

    static Result eraseVolume(const VolumeObj& volume, const QString& format, const QString& name);
    // Makes FORMAT named NAME on DEVICE, which nothing has mounted: an unmounted partition, or a
    // whole disk, which first gets a new TABLE ("gpt", "dos"; empty: gpt) partition table with
    // one partition. Refused when DEVICE no longer holds IDENTITY (FormatTarget::identity). The
    // message says what was made: "Made gpt table on /dev/loop3; made ext4 'DATA' on ...".
    static Result formatDevice(const QString& device, const QString& format, const QString& name,
                               const QString& table, const QString& identity);
    static Result rename(const QString& device, const QString& name);
    // Mounts DEVICE; the message is the mount point.
    static Result mount(const QString& device);
    static Result unmount(const QString& device);
    // Unmounts every volume of the removable disk holding DEVICE and lets go of the disk.
    static Result eject(const QString& device);

private:
    static Result runVerb(const QStringList& args, int timeoutMs);
};

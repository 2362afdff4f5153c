#include "app/RepairDisk/FormatTarget.h"

namespace {

// A whole disk as a volume record: its node and size identify and size the format.
VolumeObj diskRecord(const DiskObj& disk) {
    VolumeObj record;
    record.volumePath = disk.deviceNode;
    record.volRootDir = disk.deviceNode;
    record.volumeName = disk.mediaName;
    record.volumeTotalSizeNum = disk.totalSizeNum;
    record.volumeTotalSize = disk.totalSize;
    record.BusProtocol = disk.busProtocol;
    record.parentWholeDisk = disk.name;
    record.diskType = disk.partitionTable.isEmpty()
                          ? QStringLiteral("no table")
                          : disk.partitionTable + QStringLiteral(" table");
    return record;
}

bool anythingMounted(const DiskObj& disk) {
    for (const VolumeObj& v : disk.volumes)
        if (!v.volumeMountPoint.isEmpty())
            return true;
    return false;
}

} // namespace

FormatTarget FormatTarget::find(const QList<DiskObj>& disks, const QString& device, bool newTable) {
    FormatTarget target;
    if (device.isEmpty())
        return target;
    for (const DiskObj& disk : disks) {
        for (const VolumeObj& v : disk.volumes) {
            if (v.volumePath != device)
                continue;
            target.disk = disk;
            target.volume = v;
            const bool mounted = !v.volumeMountPoint.isEmpty();
            target.kind = mounted                                 ? Kind::MountedVolume
                          : newTable && device == disk.deviceNode ? Kind::WholeDisk
                                                                  : Kind::UnmountedVolume;
            if (target.kind == Kind::WholeDisk)
                target.volume = diskRecord(disk);
            return target;
        }
        if (disk.deviceNode == device) {
            target.disk = disk;
            target.volume = diskRecord(disk);
            target.kind = Kind::WholeDisk;
            return target;
        }
    }
    return target;
}

QList<FormatTarget> FormatTarget::offered(const QList<DiskObj>& disks) {
    QList<FormatTarget> targets;
    for (const DiskObj& disk : disks) {
        // A disk holding a file system directly is offered as that volume.
        const bool itselfAVolume =
            disk.volumes.size() == 1 && disk.volumes.first().volumePath == disk.deviceNode;
        if (!anythingMounted(disk) && !itselfAVolume)
            targets << find(disks, disk.deviceNode);
        for (const VolumeObj& v : disk.volumes)
            targets << find(disks, v.volumePath);
    }
    return targets;
}

QString FormatTarget::shown() const {
    if (kind == Kind::WholeDisk)
        return QStringLiteral("the whole disk %1").arg(device());
    return volume.volumeName.isEmpty() ? device()
                                       : QStringLiteral("%1 (%2)").arg(volume.volumeName, device());
}

QString FormatTarget::lost() const {
    if (kind == Kind::WholeDisk)
        return blank() ? QStringLiteral("nothing") : disk.contents;
    const QString type =
        volume.diskType.isEmpty() ? QStringLiteral("no file system") : volume.diskType;
    return volume.volumeName.isEmpty()
               ? QStringLiteral("%1 (%2)").arg(device(), type)
               : QStringLiteral("%1 (%2, '%3')").arg(device(), type, volume.volumeName);
}

bool FormatTarget::blank() const {
    return kind == Kind::WholeDisk && disk.volumes.isEmpty() &&
           (disk.contents.isEmpty() || disk.contents == QLatin1String("nothing"));
}

QStringList FormatTarget::mounted() const {
    QStringList list;
    for (const VolumeObj& v : disk.volumes)
        if (!v.volumeMountPoint.isEmpty())
            list << QStringLiteral("%1 at %2").arg(v.volumePath, v.volumeMountPoint);
    return list;
}

QString FormatTarget::identity() const {
    if (kind == Kind::WholeDisk)
        return disk.contentIdentity;
    return volume.diskUUID.isEmpty() ? QStringLiteral("none") : volume.diskUUID;
}

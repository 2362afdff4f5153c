#include "app/RepairDisk/DiskObj.h"

DiskObj DiskObj::fromDictionary(const QVariantMap& info) {
    DiskObj disk;
    disk.name = info.value(QStringLiteral("DeviceIdentifier")).toString();
    disk.deviceNode = info.value(QStringLiteral("DeviceNode")).toString();
    disk.totalSizeNum = info.value(QStringLiteral("TotalSize")).toLongLong();
    disk.totalSize = VolumeObj::byteToSizeWithByte(disk.totalSizeNum);
    disk.mediaName = info.value(QStringLiteral("MediaName")).toString();
    disk.busProtocol = info.value(QStringLiteral("BusProtocol")).toString();
    disk.removable = info.value(QStringLiteral("Removable")).toBool();
    for (const QVariant& entry : info.value(QStringLiteral("Partitions")).toList()) {
        const QVariantMap partition = entry.toMap();
        VolumeObj volume = VolumeObj::fromDictionary(partition);
        volume.diskType = volume.volumeType;
        volume.parentWholeDisk = partition.value(QStringLiteral("ParentWholeDisk")).toString();
        disk.volumes << volume;
    }
    return disk;
}

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
    disk.serial = info.value(QStringLiteral("Serial")).toString();
    disk.solidState = info.value(QStringLiteral("SolidState")).toBool();
    disk.logicalBlockSize = info.value(QStringLiteral("LogicalBlockSize"), 512).toInt();
    disk.physicalBlockSize = info.value(QStringLiteral("PhysicalBlockSize"), 512).toInt();
    disk.partitionTable = info.value(QStringLiteral("PartitionTable")).toString();
    disk.contentIdentity = info.value(QStringLiteral("ContentIdentity")).toString();
    disk.contents = info.value(QStringLiteral("Contents")).toString();
    for (const QVariant& entry : info.value(QStringLiteral("Partitions")).toList()) {
        const QVariantMap partition = entry.toMap();
        VolumeObj volume = VolumeObj::fromDictionary(partition);
        volume.diskType = volume.volumeType;
        volume.parentWholeDisk = partition.value(QStringLiteral("ParentWholeDisk")).toString();
        disk.volumes << volume;
    }
    return disk;
}

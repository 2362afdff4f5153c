#include "app/Main/WipeDisk/VolumeObj.h"

#include "app/Comm/SizeText.h"

qint64 VolumeObj::freeBytesOf(const QVariantMap& info) {
    const qint64 free = info.value(QStringLiteral("FreeSpace")).toLongLong();
    if (info.value(QStringLiteral("FilesystemName")).toString() == QLatin1String("APFS") &&
        free == 0)
        return info.value(QStringLiteral("APFSContainerFree")).toLongLong();
    return free;
}

QString VolumeObj::byteToSizeWithByte(qint64 bytes) {
    return SizeText::withTerabytes(bytes);
}

VolumeObj VolumeObj::fromDictionary(const QVariantMap& info) {
    VolumeObj v;
    v.volumeName = info.value(QStringLiteral("VolumeName")).toString();
    v.volumeType = info.value(QStringLiteral("FilesystemName")).toString();
    v.volumePath = info.value(QStringLiteral("DeviceNode")).toString();
    v.volRootDir = v.volumePath;
    v.volumeMountPoint = info.value(QStringLiteral("MountPoint")).toString();
    v.volumeTotalSizeNum = info.value(QStringLiteral("TotalSize")).toLongLong();
    v.volumeFreeSizeNum = freeBytesOf(info);
    v.volumeTotalSize = byteToSizeWithByte(v.volumeTotalSizeNum);
    v.volumeFreeSize = byteToSizeWithByte(v.volumeFreeSizeNum);
    v.BusProtocol = info.value(QStringLiteral("BusProtocol")).toString();
    v.bCanEject = info.value(QStringLiteral("Ejectable")).toBool();
    v.solidState = info.value(QStringLiteral("SolidState")).toBool();
    // Kept to tell, before anything is written, that the device still holds this volume.
    v.diskUUID = info.value(QStringLiteral("VolumeUUID")).toString();
    return v;
}

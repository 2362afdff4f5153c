#include "app/Main/WipeDisk/VolumeList.h"

#include "app/Main/WipeDisk/DiskUtil.h"

bool VolumeList::getVolumeAllObjWithVolumeName(const QVariantMap& info, QList<VolumeObj>& list) {
    if (info.isEmpty() || !info.contains(QStringLiteral("VolumeName")))
        return false;
    const QString name = info.value(QStringLiteral("VolumeName")).toString();
    const QString device = info.value(QStringLiteral("DeviceNode")).toString();
    if (name == QLatin1String("EFI"))
        return false;
    for (const VolumeObj& known : list)
        if (known.volumeName == name && known.volumePath == device)
            return false;
    list.append(VolumeObj::fromDictionary(info));
    return true;
}

QList<VolumeObj> VolumeList::fromDictionaries(const QList<QVariantMap>& infos) {
    QList<VolumeObj> list;
    for (const QVariantMap& info : infos)
        getVolumeAllObjWithVolumeName(info, list);
    return list;
}

QList<VolumeObj> VolumeList::getallVolumes() {
    return fromDictionaries(DiskUtil::listVolumes());
}

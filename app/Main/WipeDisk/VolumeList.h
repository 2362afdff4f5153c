#pragma once

#include "app/Main/WipeDisk/VolumeObj.h"

#include <QList>
#include <QVariantMap>

// The volumes the volume modules offer: every mounted volume the volume tool reports, each
// device and name once, never one without a name or the EFI system partition.
class VolumeList {
public:
    // Asks the volume tool (blocks; the modules call it off the main thread).
    static QList<VolumeObj> getallVolumes();

    // The rules applied to the dictionaries the tool printed, in their order.
    static QList<VolumeObj> fromDictionaries(const QList<QVariantMap>& infos);
    // Adds the volume of INFO to LIST unless a rule leaves it out; true when added.
    static bool getVolumeAllObjWithVolumeName(const QVariantMap& info, QList<VolumeObj>& list);
};

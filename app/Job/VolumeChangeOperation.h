#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/Main/WipeDisk/VolumeObj.h"

// The disk tools' changes of one volume behind the operation contract: format, rename, mount,
// unmount and eject (DiskTool runs the volume tool). The plan refuses what the running system
// needs (the volume tool's rule, for format, unmount and eject), an unknown format, a name the
// file system cannot hold and the format of a volume that is not mounted; a format needs the
// user's consent by the volume's name.
class VolumeChangeOperation : public DestructiveOperation {
public:
    // KIND is one of Format, Rename, Mount, Unmount, Eject. FORMAT and NAME: the file system and
    // the name of a format, the new name of a rename.
    VolumeChangeOperation(Kind kind, VolumeObj volume, QString format = QString(),
                          QString name = QString());

    Kind kind() const override { return m_kind; }
    Plan plan(const StopToken& stop, const ProgressSink& progress) override;
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override;

private:
    Kind m_kind;
    VolumeObj m_volume;
    QString m_format;
    QString m_name;
};

#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/Main/WipeDisk/VolumeObj.h"
#include "app/RepairDisk/FormatTarget.h"
#include <QCoreApplication>

// The disk tools' changes of one volume behind the operation contract: format, rename, mount,
// unmount and eject (DiskTool runs the volume tool). The plan refuses what the running system
// needs (the volume tool's rule, for format, unmount and eject), an unknown format or partition
// table and a name the file system cannot hold. A format takes a mounted volume (made anew where
// it is mounted), an unmounted partition or volume (made anew in place) or a whole disk (a new
// partition table with one partition; refused while anything of it is mounted); it needs the
// user's consent, which names what is lost.
class VolumeChangeOperation : public DestructiveOperation {
    Q_DECLARE_TR_FUNCTIONS(VolumeChangeOperation)

public:
    // KIND is one of Format, Rename, Mount, Unmount, Eject. FORMAT and NAME: the file system and
    // the name of a format, the new name of a rename. TABLE: a format gives the whole disk a new
    // partition table of this kind ("gpt", "dos"); empty: a whole disk gets GPT, a volume none.
    VolumeChangeOperation(Kind kind, VolumeObj volume, QString format = QString(),
                          QString name = QString(), QString table = QString());

    Kind kind() const override { return m_kind; }
    Plan plan(const StopToken& stop, const ProgressSink& progress) override;
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override;

    // What the planned format acts on (set by plan()).
    const FormatTarget& formatTarget() const { return m_target; }

private:
    void planFormat(Plan& plan);

    Kind m_kind;
    VolumeObj m_volume;
    QString m_format;
    QString m_name;
    QString m_table;
    FormatTarget m_target;
};

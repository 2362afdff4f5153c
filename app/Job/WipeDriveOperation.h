#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/Job/DriveWipeCheckpoint.h"

#include "platform/MountTable.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

// The wipe of whole drives, or of partitions, behind the operation contract: every
// addressable byte is overwritten with the erasure standard's passes by the volume tool
// (`diskutil wipe`), then read back as asked. The plan refuses what is not a block device, the
// devices the running system needs (and the disks holding them), an unknown level or way of
// reading back; it names the volumes mounted on a drive, which are unmounted only with the
// UnmountVolumes consent; it says the device's size and medium, and how it is wiped: the
// drive's own firmware erase (a Purge) where it offers one and that is asked for, else an
// overwrite (a Clear), with the areas past the drive's visible end. Each overwrite's progress
// is kept in a checkpoint while it is written, so that a wipe interrupted can go on from there
// (Options::resume).
class WipeDriveOperation : public DestructiveOperation {
    Q_DECLARE_TR_FUNCTIONS(WipeDriveOperation)

public:
    struct Options {
        int level = 0;                           // passes; 0: the stored level
        QString verify = QStringLiteral("last"); // last, all, sample:PERCENT or none
        // overwrite, sanitize (the drive's firmware erase, a Purge) or auto (the firmware's erase
        // for a solid-state drive that offers one, else overwrite)
        QString method = QStringLiteral("auto");
        bool recordHistory = true;
        QString programName; // whose stored level; empty: the main program's
        // Go on with each drive's interrupted wipe from its checkpoint (its level, reading
        // back and passes), instead of starting anew.
        bool resume = false;
    };

    // DEVICES: whole drives or partitions, wiped at once, each by its own process.
    WipeDriveOperation(QStringList devices, Options options);

    Kind kind() const override { return Kind::WipeDrive; }
    Plan plan(const StopToken& stop, const ProgressSink& progress) override;
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override;

    // The device's size in bytes and whether it turns (false: solid state), from the kernel.
    static quint64 sizeOf(const QString& device);
    static bool rotational(const QString& device);
    // True when VERIFY names a way of reading back the tool knows.
    static bool knownVerify(const QString& verify);
    // True for overwrite, sanitize and auto.
    static bool knownMethod(const QString& method);

private:
    void planDevice(const QString& device, const QList<MountTable::Entry>& mounts, Plan& plan);
    // Asks the volume tool how DEVICE would be wiped; notes the method and the hidden areas, or
    // refuses it. False when refused. PURGE: the drive's firmware erase was chosen.
    bool planMethod(const QString& device, Plan& plan, bool& purge) const;

    QStringList m_devices;
    Options m_options;
    int m_passes = 0;
    QMap<QString, DriveWipeCheckpoint> m_resumeFrom; // by device, when resuming
    QMap<QString, QStringList> m_unmount;            // the mounted volumes on each device
};

#include "cli/DisksCommand.h"

#include "app/Job/VolumeChangeOperation.h"
#include "app/RepairDisk/DiskTool.h"
#include "cli/CliBundle.h"
#include "cli/CliOperationRunner.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"
#include "cli/VolumeChangeFormatter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane disks [--json]\n"
    "       korvane format DEVICE FILESYSTEM NAME [--table gpt|dos] [--yes]\n"
    "       korvane rename DEVICE NAME\n"
    "       korvane mount DEVICE | unmount DEVICE | eject DEVICE\n"
    "       (rename, unmount and eject also take a volume's mount point for DEVICE)\n"
    "disks lists every disk with its volumes, mounted or not. format makes a new, empty file\n"
    "system (FILESYSTEM: fat32, exfat, ntfs, ext4, btrfs or xfs, where its tools are installed):\n"
    "a mounted volume is mounted again where it was; an unmounted partition is formatted and the\n"
    "rest of its disk left as it is; a whole disk (blank, or its partitions not mounted) gets a\n"
    "new partition table with one partition, GPT unless --table dos. Everything on the device\n"
    "is lost; what that is is said before the question. rename\n"
    "names a volume; mount puts it at /media/NAME; eject unmounts every volume of a removable\n"
    "disk and lets go of it. Devices the running system needs are refused.\n"
    "  --json      JSON output\n"
    "  --table T   format a whole disk with a new gpt or dos (MBR) partition table\n"
    "  --yes       do not ask before formatting\n"
    "  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n");

void printErr(const QString& verb, const QString& text) {
    CliOutput::error(verb, text);
}

DestructiveOperation::Kind kindOf(const QString& verb) {
    using Kind = DestructiveOperation::Kind;
    if (verb == QLatin1String("format"))
        return Kind::Format;
    if (verb == QLatin1String("rename"))
        return Kind::Rename;
    if (verb == QLatin1String("mount"))
        return Kind::Mount;
    if (verb == QLatin1String("unmount"))
        return Kind::Unmount;
    return Kind::Eject;
}

// format, rename, mount, unmount and eject of DEVICE through the one runner; FORMAT and NAME as
// VolumeChangeOperation takes them.
int changeVolume(const QString& verb, const QString& device, const QString& format,
                 const QString& name, bool yes, const QString& table = QString()) {
    QString problem;
    const QList<DiskObj> disks = DiskTool::listDisks(&problem);
    if (disks.isEmpty() && !problem.isEmpty()) {
        printErr(verb, problem);
        return 1;
    }
    VolumeObj volume = DiskTool::volumeOn(disks, device);
    // Not listed: the volume tool has the last word on what DEVICE is.
    if (volume.volumePath.isEmpty())
        volume.volumePath = device;
    VolumeChangeOperation operation(kindOf(verb), volume, format, name, table);
    const VolumeChangeFormatter formatter(verb, volume, format, name);
    CliOperationRunner::Flags flags;
    flags.yes = yes;
    //: "not formatting without confirmation": German needs the participle ("formatiert").
    return CliOperationRunner({DisksCommand::tr("formatting"), DisksCommand::tr("format"),
                               DisksCommand::tr("Nothing was changed."), QString()},
                              flags, formatter)
        .run(operation);
}

QJsonObject volumeJson(const VolumeObj& v) {
    return {{QStringLiteral("name"), v.volumeName},
            {QStringLiteral("fileSystem"), v.diskType},
            {QStringLiteral("device"), v.volumePath},
            {QStringLiteral("mountPoint"), v.volumeMountPoint},
            {QStringLiteral("totalBytes"), v.volumeTotalSizeNum},
            {QStringLiteral("freeBytes"), v.volumeFreeSizeNum},
            {QStringLiteral("uuid"), v.diskUUID}};
}

int listDisks(bool json) {
    QString problem;
    const QList<DiskObj> disks = DiskTool::listDisks(&problem);
    if (disks.isEmpty()) {
        printErr(QStringLiteral("disks"),
                 problem.isEmpty() ? DisksCommand::tr("no disks found") : problem);
        return 1;
    }
    if (json) {
        QJsonArray array;
        for (const DiskObj& disk : disks) {
            QJsonArray volumes;
            for (const VolumeObj& v : disk.volumes)
                volumes.append(volumeJson(v));
            array.append(QJsonObject{{QStringLiteral("name"), disk.name},
                                     {QStringLiteral("device"), disk.deviceNode},
                                     {QStringLiteral("totalBytes"), disk.totalSizeNum},
                                     {QStringLiteral("model"), disk.mediaName},
                                     {QStringLiteral("bus"), disk.busProtocol},
                                     {QStringLiteral("removable"), disk.removable},
                                     {QStringLiteral("serial"), disk.serial},
                                     {QStringLiteral("solidState"), disk.solidState},
                                     {QStringLiteral("logicalBlockSize"), disk.logicalBlockSize},
                                     {QStringLiteral("physicalBlockSize"), disk.physicalBlockSize},
                                     {QStringLiteral("volumes"), volumes}});
        }
        std::fputs(QJsonDocument(array).toJson(QJsonDocument::Indented).constData(), stdout);
        return 0;
    }
    for (const DiskObj& disk : disks) {
        QString line =
            QStringLiteral("%1  %2  %3").arg(disk.deviceNode, disk.totalSize, disk.busProtocol);
        if (disk.removable)
            line += DisksCommand::tr(", removable");
        if (disk.solidState)
            line += DisksCommand::tr(", solid state");
        line += DisksCommand::tr(", %1/%2-byte sectors")
                    .arg(disk.logicalBlockSize)
                    .arg(disk.physicalBlockSize);
        if (!disk.mediaName.isEmpty())
            line += QStringLiteral("  ") + disk.mediaName;
        if (!disk.serial.isEmpty())
            line += QStringLiteral("  ") + DisksCommand::tr("serial %1").arg(disk.serial);
        std::printf("%s\n", CliOutput::local(line).constData());
        for (const VolumeObj& v : disk.volumes)
            std::printf(
                "%s\n",
                CliOutput::local(
                    QStringLiteral("  %1 %2 %3 %4 %5")
                        .arg(v.volumePath, -16)
                        .arg(v.diskType.isEmpty() ? QStringLiteral("-") : v.diskType, -13)
                        .arg(v.volumeTotalSize, -10)
                        .arg(v.volumeName, -20)
                        .arg(v.volumeMountPoint.isEmpty() ? DisksCommand::tr("(not mounted)")
                                                          : v.volumeMountPoint))
                    .constData());
    }
    return 0;
}

} // namespace

int DisksCommand::run(const QString& verb, const QStringList& args) {
    CliOptionParser parser(verb);
    parser.valued({QStringLiteral("bundle")}, QStringLiteral("DIR"));
    if (verb == QLatin1String("disks"))
        parser.flag({QStringLiteral("json")});
    if (verb == QLatin1String("format")) {
        parser.flag({QStringLiteral("y"), QStringLiteral("yes")});
        parser.valued({QStringLiteral("table")}, QStringLiteral("gpt|dos"));
    }
    if (const std::optional<int> end = parser.parseOrEnd(args, kUsage))
        return *end;
    QString error;
    if (!CliBundle::use(parser.value(QStringLiteral("bundle")), &error)) {
        printErr(verb, error);
        return 1;
    }
    const QStringList operands = parser.positional();
    if (verb == QLatin1String("disks")) {
        if (!operands.isEmpty())
            return parser.usageError(QString(), kUsage);
        return listDisks(parser.isSet(QStringLiteral("json")));
    }
    if (verb == QLatin1String("format")) {
        if (operands.size() != 3)
            return parser.usageError(QString(), kUsage);
        const QString fs = DiskTool::formatNamed(operands[1]);
        if (fs.isEmpty() || !DiskTool::formats().contains(fs))
            return parser.usageError(
                tr("volumes cannot be formatted to '%1' here; choose one of: %2")
                    .arg(operands[1], DiskTool::formats().join(QStringLiteral(", "))),
                "");
        return changeVolume(verb, operands[0], operands[1], operands[2],
                            parser.isSet(QStringLiteral("yes")),
                            parser.value(QStringLiteral("table")));
    }
    const bool renaming = verb == QLatin1String("rename");
    if (operands.size() != (renaming ? 2 : 1))
        return parser.usageError(QString(), kUsage);
    return changeVolume(verb, operands[0], QString(), renaming ? operands[1] : QString(), false);
}

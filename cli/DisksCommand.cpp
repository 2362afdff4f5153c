#include "cli/DisksCommand.h"
#include "app/Main/WipeDisk/WholeVolumeWipeJob.h"

#include "app/RepairDisk/DiskTool.h"
#include "cli/CliBundle.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

const char* const kUsage =
    "usage: korvane disks [--json]\n"
    "       korvane format DEVICE FILESYSTEM NAME [--yes]\n"
    "       korvane rename DEVICE NAME\n"
    "       korvane mount DEVICE | unmount DEVICE | eject DEVICE\n"
    "disks lists every disk with its volumes, mounted or not. format makes a new, empty file\n"
    "system on a mounted volume (FILESYSTEM: fat32, exfat, ntfs, ext4, btrfs or xfs, where its\n"
    "tools are installed) and mounts it where it was; everything on the volume is lost. rename\n"
    "names a volume; mount puts it at /media/NAME; eject unmounts every volume of a removable\n"
    "disk and lets go of it. Devices the running system needs are refused.\n"
    "  --json      JSON output\n"
    "  --yes       do not ask before formatting\n"
    "  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n";

void printErr(const QString& verb, const QString& text) {
    std::fprintf(stderr, "korvane %s: %s\n", qPrintable(verb), text.toLocal8Bit().constData());
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
                 problem.isEmpty() ? QStringLiteral("no disks found") : problem);
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
                                     {QStringLiteral("volumes"), volumes}});
        }
        std::fputs(QJsonDocument(array).toJson(QJsonDocument::Indented).constData(), stdout);
        return 0;
    }
    for (const DiskObj& disk : disks) {
        std::printf("%s  %s  %s%s%s\n", qPrintable(disk.deviceNode), qPrintable(disk.totalSize),
                    qPrintable(disk.busProtocol), disk.removable ? ", removable" : "",
                    disk.mediaName.isEmpty()
                        ? ""
                        : (QStringLiteral("  ") + disk.mediaName).toLocal8Bit().constData());
        for (const VolumeObj& v : disk.volumes)
            std::printf("  %-16s %-13s %-10s %-20s %s\n", qPrintable(v.volumePath),
                        qPrintable(v.diskType.isEmpty() ? QStringLiteral("-") : v.diskType),
                        qPrintable(v.volumeTotalSize), v.volumeName.toLocal8Bit().constData(),
                        v.volumeMountPoint.isEmpty()
                            ? "(not mounted)"
                            : v.volumeMountPoint.toLocal8Bit().constData());
    }
    return 0;
}

int format(const QStringList& operands, bool yes) {
    const QString verb = QStringLiteral("format");
    if (operands.size() != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString device = operands[0], name = operands[2];
    const QString fs = DiskTool::formatNamed(operands[1]);
    if (fs.isEmpty() || !DiskTool::formats().contains(fs)) {
        printErr(verb, QStringLiteral("volumes cannot be formatted to '%1' here; choose one of: %2")
                           .arg(operands[1], DiskTool::formats().join(QStringLiteral(", "))));
        return 2;
    }
    if (const QString why = DiskTool::whyNameInvalid(fs, name); !why.isEmpty()) {
        printErr(verb, why);
        return 2;
    }
    QString problem;
    const VolumeObj volume = DiskTool::volumeOn(DiskTool::listDisks(&problem), device);
    if (volume.volumePath.isEmpty()) {
        printErr(verb, problem.isEmpty()
                           ? QStringLiteral("%1 is no volume (see korvane disks)").arg(device)
                           : problem);
        return 1;
    }
    if (volume.volumeMountPoint.isEmpty()) {
        printErr(
            verb,
            QStringLiteral("%1 is not mounted; mount it first (korvane mount %1)").arg(device));
        return 1;
    }
    // Refused before any question, as the window and wipe-volume refuse it.
    if (WholeVolumeWipeJob::isStartupVolume(volume)) {
        printErr(verb,
                 QStringLiteral("%1 holds the running system and cannot be formatted").arg(device));
        return 1;
    }
    std::fprintf(stderr,
                 "Formatting %s (%s, %s named \"%s\", mounted at %s, %s used) as %s named \"%s\".\n"
                 "Everything on it is lost.\n",
                 qPrintable(device), qPrintable(volume.volumeTotalSize),
                 qPrintable(volume.diskType), volume.volumeName.toLocal8Bit().constData(),
                 volume.volumeMountPoint.toLocal8Bit().constData(),
                 qPrintable(VolumeObj::byteToSizeWithByte(volume.volumeTotalSizeNum -
                                                          volume.volumeFreeSizeNum)),
                 qPrintable(fs), DiskTool::nameAsStored(fs, name).toLocal8Bit().constData());
    if (!yes) {
        std::fputs("Type yes to format it: ", stderr);
        std::string answer;
        std::getline(std::cin, answer);
        if (answer != "yes") {
            std::fputs("Nothing was changed.\n", stderr);
            return 1;
        }
    }
    const DiskTool::Result result = DiskTool::eraseVolume(volume, fs, name);
    if (!result.ok) {
        printErr(verb, result.message);
        return 1;
    }
    std::printf("%s\n", result.message.toLocal8Bit().constData());
    return 0;
}

} // namespace

int DisksCommand::run(const QString& verb, const QStringList& args) {
    bool json = false, yes = false;
    QString bundle;
    QStringList operands;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--json") && verb == QLatin1String("disks")) {
            json = true;
        } else if (arg == QLatin1String("--yes") && verb == QLatin1String("format")) {
            yes = true;
        } else if (arg == QLatin1String("--bundle") && i + 1 < args.size()) {
            bundle = args[++i];
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg.startsWith(QLatin1String("--"))) {
            printErr(verb, QStringLiteral("unknown option '%1'").arg(arg));
            std::fputs(kUsage, stderr);
            return 2;
        } else {
            operands << arg;
        }
    }
    QString error;
    if (!CliBundle::use(bundle, &error)) {
        printErr(verb, error);
        return 1;
    }
    if (verb == QLatin1String("disks")) {
        if (!operands.isEmpty()) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        return listDisks(json);
    }
    if (verb == QLatin1String("format"))
        return format(operands, yes);
    const bool renaming = verb == QLatin1String("rename");
    if (operands.size() != (renaming ? 2 : 1)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const DiskTool::Result result = renaming ? DiskTool::rename(operands[0], operands[1])
                                    : verb == QLatin1String("mount") ? DiskTool::mount(operands[0])
                                    : verb == QLatin1String("unmount")
                                        ? DiskTool::unmount(operands[0])
                                        : DiskTool::eject(operands[0]);
    if (!result.ok) {
        printErr(verb, result.message);
        return 1;
    }
    std::printf("%s\n", result.message.toLocal8Bit().constData());
    return 0;
}

#include "app/RepairDisk/DiskTool.h"

#include "VolumeLabelRules.h"
#include "app/Main/WipeDisk/DiskUtil.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

struct Format {
    const char* name;
    const char* type; // the file-system type the name rules go by
    const char* tool; // what makes it
};

const Format kFormats[] = {
    {"MS-DOS FAT32", "vfat", "mkfs.vfat"}, {"ExFAT", "exfat", "mkfs.exfat"},
    {"NTFS", "ntfs", "mkfs.ntfs"},         {"ext4", "ext4", "mkfs.ext4"},
    {"btrfs", "btrfs", "mkfs.btrfs"},      {"xfs", "xfs", "mkfs.xfs"},
};

const Format* formatOf(const QString& name) {
    for (const Format& format : kFormats)
        if (name == QLatin1String(format.name))
            return &format;
    return nullptr;
}

// The last line the tool printed: its reason, without the "diskutil: " it starts with.
QString reasonIn(const QString& problem) {
    QString line = problem.trimmed().section(QLatin1Char('\n'), -1);
    if (line.startsWith(QLatin1String("diskutil: ")))
        line = line.mid(10);
    return line;
}

} // namespace

DiskTool::Result DiskTool::runVerb(const QStringList& args, int timeoutMs) {
    Result result;
    QByteArray out;
    QString problem;
    result.ok = DiskUtil::run(args, &out, &problem, timeoutMs);
    result.message = result.ok ? QString::fromUtf8(out).trimmed() : reasonIn(problem);
    return result;
}

QString DiskTool::whyNeeded(const QString& device) {
    const Result result = runVerb({QStringLiteral("check"), device}, 30000);
    if (result.ok)
        return {};
    QString why = result.message;
    if (why.startsWith(QLatin1String("refused: ")))
        why = why.mid(9);
    return why.isEmpty() ? QStringLiteral("%1 cannot be checked").arg(device) : why;
}

QList<DiskObj> DiskTool::listDisks(QString* problem) {
    QByteArray out;
    QList<DiskObj> disks;
    if (!DiskUtil::run({QStringLiteral("disks"), QStringLiteral("-plist")}, &out, problem))
        return disks;
    for (const QVariant& entry : DiskUtil::parsePlist(out).toList())
        disks << DiskObj::fromDictionary(entry.toMap());
    return disks;
}

VolumeObj DiskTool::volumeOn(const QList<DiskObj>& disks, const QString& device) {
    for (const DiskObj& disk : disks)
        for (const VolumeObj& volume : disk.volumes)
            if (volume.volumePath == device)
                return volume;
    // A mount point names the volume mounted there; a link or a trailing "/" in it does not
    // matter.
    const QString canonical = QFileInfo(device).canonicalFilePath();
    if (device.isEmpty() || canonical.isEmpty())
        return {};
    for (const DiskObj& disk : disks)
        for (const VolumeObj& volume : disk.volumes)
            if (!volume.volumeMountPoint.isEmpty() && volume.volumeMountPoint == canonical)
                return volume;
    return {};
}

QStringList DiskTool::formats() {
    const QStringList sbin{QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                           QStringLiteral("/usr/bin"), QStringLiteral("/bin")};
    QStringList present;
    for (const Format& format : kFormats)
        if (!QStandardPaths::findExecutable(QLatin1String(format.tool), sbin).isEmpty())
            present << QLatin1String(format.name);
    return present;
}

QString DiskTool::formatNamed(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("fat32") || t == QLatin1String("vfat") || t == QLatin1String("fat") ||
        t == QLatin1String("ms-dos fat32") || t == QLatin1String("ms-dos"))
        return QStringLiteral("MS-DOS FAT32");
    for (const Format& format : kFormats)
        if (t == QString::fromLatin1(format.name).toLower() || t == QLatin1String(format.type))
            return QLatin1String(format.name);
    return {};
}

QString DiskTool::whyNameInvalid(const QString& format, const QString& name) {
    const Format* f = formatOf(format);
    if (!f)
        return QStringLiteral("%1 is not a file system volumes are formatted to here").arg(format);
    return QString::fromStdString(
        diskutil::VolumeLabelRules::whyInvalid(f->type, name.toStdString()));
}

QString DiskTool::nameAsStored(const QString& format, const QString& name) {
    const Format* f = formatOf(format);
    return f ? QString::fromStdString(
                   diskutil::VolumeLabelRules::normalised(f->type, name.toStdString()))
             : name;
}

QString DiskTool::whyVolumeNameInvalid(const QString& diskType, const QString& name) {
    const QString type =
        diskType.startsWith(QLatin1String("MS-DOS")) ? QStringLiteral("vfat") : diskType.toLower();
    return QString::fromStdString(
        diskutil::VolumeLabelRules::whyInvalid(type.toStdString(), name.toStdString()));
}

DiskTool::Result DiskTool::eraseVolume(const VolumeObj& volume, const QString& format,
                                       const QString& name) {
    if (const QString why = whyNameInvalid(format, name); !why.isEmpty())
        return {false, why};
    QStringList args{QStringLiteral("eraseVolume"), format, name, volume.volumePath};
    if (!volume.diskUUID.isEmpty())
        args << QStringLiteral("--uuid") << volume.diskUUID;
    // Making an ext4 file system writes out its inode tables in full: minutes on a large disk.
    Result result = runVerb(args, 6 * 60 * 60 * 1000);
    if (result.ok)
        result.message = QStringLiteral("%1 is now an empty %2 volume named %3.")
                             .arg(volume.volumePath, format, nameAsStored(format, name));
    return result;
}

DiskTool::Result DiskTool::formatDevice(const QString& device, const QString& format,
                                        const QString& name, const QString& table,
                                        const QString& identity) {
    if (const QString why = whyNameInvalid(format, name); !why.isEmpty())
        return {false, why};
    QStringList args{QStringLiteral("formatDevice"), format, name, device};
    if (!table.isEmpty())
        args << QStringLiteral("--table") << table;
    if (!identity.isEmpty())
        args << QStringLiteral("--uuid") << identity;
    Result result = runVerb(args, 6 * 60 * 60 * 1000);
    if (result.ok) {
        // One line a step made: "made gpt table on ...", "made ext4 'DATA' on ...".
        QString made =
            result.message.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral("; "));
        if (!made.isEmpty())
            made[0] = made[0].toUpper();
        result.message = made + QLatin1Char('.');
    }
    return result;
}

DiskTool::Result DiskTool::rename(const QString& device, const QString& name) {
    return runVerb({QStringLiteral("rename"), device, name}, 120000);
}

DiskTool::Result DiskTool::mount(const QString& device) {
    return runVerb({QStringLiteral("mount"), device}, 120000);
}

DiskTool::Result DiskTool::unmount(const QString& device) {
    return runVerb({QStringLiteral("unmount"), device}, 120000);
}

DiskTool::Result DiskTool::eject(const QString& device) {
    return runVerb({QStringLiteral("eject"), device}, 120000);
}

#include "app/Main/FileEraser/VolumeTypeLookup.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <blkid/blkid.h>

namespace {

// Mount-table fields escape blanks and backslashes as octal sequences ("\040").
QString unescape(const QString& field) {
    QString out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == QLatin1Char('\\') && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(QChar(code));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return out;
}

bool isUnder(const QString& path, const QString& mountPoint) {
    if (mountPoint == QLatin1String("/"))
        return true;
    return path == mountPoint || path.startsWith(mountPoint + QLatin1Char('/'));
}

QString probedType(const QString& device) {
    if (!device.startsWith(QLatin1String("/dev/")))
        return {};
    blkid_probe probe = blkid_new_probe_from_filename(QFile::encodeName(device).constData());
    if (!probe)
        return {};
    QString type;
    const char* value = nullptr;
    if (blkid_do_safeprobe(probe) == 0 &&
        blkid_probe_lookup_value(probe, "TYPE", &value, nullptr) == 0 && value)
        type = QString::fromUtf8(value);
    blkid_free_probe(probe);
    return type;
}

} // namespace

QString VolumeTypeLookup::typeOf(const QString& path) {
    QString resolved = QFileInfo(path).canonicalFilePath();
    if (resolved.isEmpty())
        resolved = QFileInfo(path).absoluteFilePath();
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString bestPoint, bestType, bestSource;
    // The last matching line wins among equal mount points: later mounts cover earlier ones.
    for (const QByteArray& raw : table.readAll().split('\n')) {
        const QStringList fields = QString::fromUtf8(raw).split(QLatin1Char(' '));
        const qsizetype dash = fields.indexOf(QStringLiteral("-"));
        if (fields.size() < 5 || dash < 0 || dash + 2 >= fields.size())
            continue;
        const QString point = unescape(fields.at(4));
        if (!isUnder(resolved, point) || point.size() < bestPoint.size())
            continue;
        bestPoint = point;
        bestType = fields.at(dash + 1);
        bestSource = unescape(fields.at(dash + 2));
    }
    if (bestType == QLatin1String("fuseblk") || bestType.startsWith(QLatin1String("fuse."))) {
        const QString probed = probedType(bestSource);
        if (!probed.isEmpty())
            return probed;
    }
    return bestType;
}

bool VolumeTypeLookup::isRefusedType(const QString& type) {
    return type.contains(QLatin1String("ntfs")) || type.contains(QLatin1String("NTFS")) ||
           type.toLower().contains(QLatin1String("lifs"));
}

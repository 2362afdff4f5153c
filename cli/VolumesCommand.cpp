#include "cli/VolumesCommand.h"

#include "cli/CliOptionParser.h"

#include "app/Comm/SizeText.h"
#include "app/Main/WipeDisk/VolumeList.h"
#include "cli/CliBundle.h"
#include "cli/CliOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane volumes [--json] [--bundle DIR]\n"
    "Lists the mounted volumes: name, file system, device, mount point, size and free space.\n"
    "  --json      one JSON array, sizes in bytes as well\n"
    "  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n");

QString fitted(const QString& text, int width) {
    return text.size() > width ? text.left(width - 1) + QChar(0x2026) : text.leftJustified(width);
}

} // namespace

int VolumesCommand::run(const QStringList& args) {
    CliOptionParser parser(QStringLiteral("volumes"));
    parser.flag({QStringLiteral("json")}).valued({QStringLiteral("bundle")}, QStringLiteral("DIR"));
    if (const std::optional<int> end = parser.parseOrEnd(args, kUsage))
        return *end;
    if (!parser.positional().isEmpty())
        return parser.usageError(tr("unknown argument '%1'").arg(parser.positional().first()),
                                 kUsage);
    const bool json = parser.isSet(QStringLiteral("json"));
    const QString bundle = parser.value(QStringLiteral("bundle"));
    QString error;
    if (!CliBundle::use(bundle, &error)) {
        std::fprintf(stderr, "korvane volumes: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    const QList<VolumeObj> volumes = VolumeList::getallVolumes();
    if (json) {
        QJsonArray array;
        for (const VolumeObj& v : volumes)
            array.append(QJsonObject{{QStringLiteral("name"), v.volumeName},
                                     {QStringLiteral("fileSystem"), v.volumeType},
                                     {QStringLiteral("device"), v.volumePath},
                                     {QStringLiteral("mountPoint"), v.volumeMountPoint},
                                     {QStringLiteral("totalSize"), v.volumeTotalSize},
                                     {QStringLiteral("freeSize"), v.volumeFreeSize},
                                     {QStringLiteral("totalBytes"), v.volumeTotalSizeNum},
                                     {QStringLiteral("freeBytes"), v.volumeFreeSizeNum},
                                     {QStringLiteral("bus"), v.BusProtocol},
                                     {QStringLiteral("ejectable"), v.bCanEject},
                                     {QStringLiteral("solidState"), v.solidState}});
        std::fputs(QJsonDocument(array).toJson(QJsonDocument::Indented).constData(), stdout);
        return 0;
    }
    if (volumes.isEmpty()) {
        std::fprintf(stderr, "%s\n", CliOutput::local(tr("no mounted volumes found")).constData());
        return 1;
    }
    std::printf("%s\n",
                CliOutput::local(fitted(tr("NAME"), 20) + QLatin1Char(' ') +
                                 fitted(tr("FILE SYSTEM"), 14) + QLatin1Char(' ') +
                                 fitted(tr("DEVICE"), 16) + QLatin1Char(' ') +
                                 fitted(tr("SIZE"), 11) + QLatin1Char(' ') +
                                 fitted(tr("FREE"), 11) + QLatin1Char(' ') + tr("MOUNTED ON"))
                    .constData());
    for (const VolumeObj& v : volumes)
        std::printf("%s\n",
                    (fitted(v.volumeName, 20) + QLatin1Char(' ') + fitted(v.volumeType, 14) +
                     QLatin1Char(' ') + fitted(v.volumePath, 16) + QLatin1Char(' ') +
                     fitted(SizeText::shown(v.volumeTotalSize), 11) + QLatin1Char(' ') +
                     fitted(SizeText::shown(v.volumeFreeSize), 11) + QLatin1Char(' ') +
                     v.volumeMountPoint)
                        .toLocal8Bit()
                        .constData());
    return 0;
}

#include "app/Certificate/DeviceFacts.h"

#include "app/RepairDisk/DiskTool.h"

#include <QFile>
#include <QFileInfo>

namespace {

qint64 kernelSize(const QString& device) {
    const QString name = QFileInfo(QFileInfo(device).canonicalFilePath()).fileName();
    QFile file(QStringLiteral("/sys/class/block/%1/size").arg(name));
    if (name.isEmpty() || !file.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const qint64 sectors = file.readAll().trimmed().toLongLong(&ok);
    return ok ? sectors * 512 : -1;
}

} // namespace

DeviceFacts DeviceFacts::read(const QString& device) {
    DeviceFacts facts;
    facts.sizeBytes = kernelSize(device);
    const QString node = QFileInfo(device).canonicalFilePath();
    for (const DiskObj& disk : DiskTool::listDisks()) {
        bool whole = disk.deviceNode == device || disk.deviceNode == node;
        const VolumeObj* volume = nullptr;
        for (const VolumeObj& candidate : disk.volumes)
            if (candidate.volumePath == device || candidate.volumePath == node)
                volume = &candidate;
        if (!whole && !volume)
            continue;
        facts.model = disk.mediaName;
        facts.serial = disk.serial;
        facts.medium =
            disk.solidState ? QStringLiteral("solid state") : QStringLiteral("rotational");
        facts.transport = disk.busProtocol;
        if (volume) {
            facts.fileSystem = volume->diskType.isEmpty() ? volume->volumeType : volume->diskType;
            facts.label = volume->volumeName;
        }
        if (facts.sizeBytes < 0)
            facts.sizeBytes = volume ? volume->volumeTotalSizeNum : disk.totalSizeNum;
        break;
    }
    return facts;
}

#include "app/Certificate/DriveHealth.h"

#include "platform/ChildProcessTie.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace {

const QString kUnavailable = QStringLiteral("unavailable");

// Fixed places only: this runs as root, and PATH is the caller's.
QString smartctlPath() {
    for (const char* path : {"/usr/sbin/smartctl", "/sbin/smartctl", "/usr/bin/smartctl"})
        if (QFileInfo(QLatin1String(path)).isExecutable())
            return QLatin1String(path);
    return {};
}

qint64 rawAttribute(const QJsonObject& root, int id) {
    const QJsonArray table = root.value(QLatin1String("ata_smart_attributes"))
                                 .toObject()
                                 .value(QLatin1String("table"))
                                 .toArray();
    for (const QJsonValue& row : table)
        if (row.toObject().value(QLatin1String("id")).toInt() == id)
            return row.toObject()
                .value(QLatin1String("raw"))
                .toObject()
                .value(QLatin1String("value"))
                .toInteger(-1);
    return -1;
}

} // namespace

QString DriveHealth::wholeDrive(const QString& device) {
    const QString name = QFileInfo(QFileInfo(device).canonicalFilePath()).fileName();
    const QString folder = QStringLiteral("/sys/class/block/") + name;
    if (name.isEmpty() || !QFileInfo::exists(folder + QStringLiteral("/partition")))
        return device;
    return QStringLiteral("/dev/") +
           QFileInfo(QFileInfo(folder).canonicalFilePath()).path().section(QLatin1Char('/'), -1);
}

QJsonObject DriveHealth::parse(const QByteArray& output) {
    const QJsonObject root = QJsonDocument::fromJson(output).object();
    const QString model = root.value(QLatin1String("model_name")).toString();
    const QString serial = root.value(QLatin1String("serial_number")).toString();
    if (model.isEmpty() && serial.isEmpty()) {
        const QJsonArray messages = root.value(QLatin1String("smartctl"))
                                        .toObject()
                                        .value(QLatin1String("messages"))
                                        .toArray();
        const QString said =
            messages.isEmpty()
                ? QString()
                : messages.first().toObject().value(QLatin1String("string")).toString();
        return {{kUnavailable, said.isEmpty() ? QStringLiteral("smartctl read no drive facts")
                                              : QStringLiteral("smartctl: %1").arg(said)}};
    }
    const QJsonObject nvme =
        root.value(QLatin1String("nvme_smart_health_information_log")).toObject();
    qint64 hours = root.value(QLatin1String("power_on_time"))
                       .toObject()
                       .value(QLatin1String("hours"))
                       .toInteger(-1);
    if (hours < 0)
        hours = nvme.value(QLatin1String("power_on_hours")).toInteger(-1);
    QJsonObject health{{QStringLiteral("source"), QStringLiteral("smartctl")},
                       {QStringLiteral("model"), model},
                       {QStringLiteral("serial"), serial},
                       {QStringLiteral("powerOnHours"), hours},
                       // ATA attribute 5 (Reallocated_Sector_Ct) and 197 (Current_Pending_Sector);
                       // NVMe drives report neither.
                       {QStringLiteral("reallocatedSectors"), rawAttribute(root, 5)},
                       {QStringLiteral("pendingSectors"), rawAttribute(root, 197)}};
    const QJsonObject status = root.value(QLatin1String("smart_status")).toObject();
    if (status.contains(QLatin1String("passed")))
        health.insert(QStringLiteral("overall"), status.value(QLatin1String("passed")).toBool()
                                                     ? QStringLiteral("passed")
                                                     : QStringLiteral("failed"));
    return health;
}

QJsonObject DriveHealth::read(const QString& device) {
    const QString tool = smartctlPath();
    if (tool.isEmpty())
        return {{kUnavailable, QStringLiteral("smartmontools (smartctl) is not installed")}};
    QProcess smartctl;
    ChildProcessTie::tieToThisProcess(smartctl);
    smartctl.start(tool, {QStringLiteral("--json"), QStringLiteral("-a"), QStringLiteral("--"),
                          wholeDrive(device)});
    if (!smartctl.waitForFinished(30000)) {
        smartctl.kill();
        smartctl.waitForFinished(1000);
        return {{kUnavailable, QStringLiteral("smartctl did not answer")}};
    }
    return parse(smartctl.readAllStandardOutput());
}

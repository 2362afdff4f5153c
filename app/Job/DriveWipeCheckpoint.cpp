#include "app/Job/DriveWipeCheckpoint.h"

#include "app/inter/DoDataBase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

QByteArray readSys(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

} // namespace

QString DriveWipeCheckpoint::folder() {
    const QString database = DoDataBase::returnDoDataBase()->getDataBase();
    return database.isEmpty() ? QString()
                              : QFileInfo(database).path() + QStringLiteral("/drive-wipes");
}

QString DriveWipeCheckpoint::pathFor(const QString& device) {
    // The node's name only, in letters the file name can hold: "/dev/sdb" is "sdb.json".
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]{1,64}$"));
    const QString name = QFileInfo(device).fileName();
    const QString base = folder();
    return base.isEmpty() || !plain.match(name).hasMatch()
               ? QString()
               : base + QLatin1Char('/') + name + QStringLiteral(".json");
}

QString DriveWipeCheckpoint::identityOf(const QString& device) {
    const QString name = QFileInfo(QFileInfo(device).canonicalFilePath()).fileName();
    if (name.isEmpty())
        return {};
    const QString sys = QStringLiteral("/sys/class/block/") + name;
    for (const QString& file : {QStringLiteral("/serial"), QStringLiteral("/device/serial"),
                                QStringLiteral("/loop/backing_file")})
        if (const QByteArray text = readSys(sys + file); !text.isEmpty())
            return QString::fromUtf8(text);
    return {};
}

std::optional<DriveWipeCheckpoint> DriveWipeCheckpoint::load(const QString& device) {
    const QString path = pathFor(device);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject json = QJsonDocument::fromJson(file.read(64 * 1024)).object();
    DriveWipeCheckpoint point;
    point.device = json.value(QStringLiteral("device")).toString();
    point.size = json.value(QStringLiteral("size")).toString().toULongLong();
    point.identity = json.value(QStringLiteral("identity")).toString();
    point.level = json.value(QStringLiteral("level")).toInt();
    point.verify = json.value(QStringLiteral("verify")).toString();
    point.passes = json.value(QStringLiteral("passes")).toString();
    point.key = json.value(QStringLiteral("key")).toString();
    point.pass = json.value(QStringLiteral("pass")).toInt();
    point.offset = json.value(QStringLiteral("offset")).toString().toULongLong();
    point.started =
        QDateTime::fromString(json.value(QStringLiteral("started")).toString(), Qt::ISODate);
    if (point.device != device || point.level <= 0 || point.pass < 1 || point.key.size() != 64 ||
        point.passes.isEmpty())
        return std::nullopt;
    return point;
}

bool DriveWipeCheckpoint::save() const {
    const QString path = pathFor(device);
    if (path.isEmpty() || !QDir().mkpath(folder()))
        return false;
    QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QJsonObject json{
        {QStringLiteral("device"), device},
        // Sizes and offsets as text: a JSON number loses bytes past 2^53.
        {QStringLiteral("size"), QString::number(size)},
        {QStringLiteral("identity"), identity},
        {QStringLiteral("level"), level},
        {QStringLiteral("verify"), verify},
        {QStringLiteral("passes"), passes},
        {QStringLiteral("key"), key},
        {QStringLiteral("pass"), pass},
        {QStringLiteral("offset"), QString::number(offset)},
        {QStringLiteral("started"), started.toString(Qt::ISODate)},
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    file.write(QJsonDocument(json).toJson(QJsonDocument::Compact));
    return file.commit();
}

void DriveWipeCheckpoint::remove(const QString& device) {
    if (const QString path = pathFor(device); !path.isEmpty())
        QFile::remove(path);
}

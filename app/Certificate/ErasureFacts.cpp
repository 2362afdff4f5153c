#include "app/Certificate/ErasureFacts.h"

#include "app/Certificate/CertificateSettings.h"
#include "app/Certificate/DeviceFacts.h"
#include "app/Certificate/MachineFacts.h"
#include "app/Certificate/ProgramIdentity.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUuid>

namespace {

QString time(const QDateTime& value) {
    return value.isValid() ? value.toUTC().toString(Qt::ISODate) : QString();
}

} // namespace

ErasureFacts ErasureFacts::begin(const QString& kind) {
    ErasureFacts facts;
    facts.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    facts.kind = kind;
    facts.started = QDateTime::currentDateTimeUtc();
    facts.programVersion = ProgramIdentity::version();
    facts.programBuild = ProgramIdentity::build();
    const MachineFacts machine = MachineFacts::read();
    facts.hostName = machine.hostName;
    facts.computerVendor = machine.vendor;
    facts.computerProduct = machine.product;
    facts.computerSerial = machine.serial;
    const CertificateSettings settings = CertificateSettings::read();
    facts.organisation = settings.organisation;
    facts.operatorName = settings.operatorName;
    facts.validator = settings.validator;
    facts.location = settings.location;
    return facts;
}

void ErasureFacts::finish(const QString& outcomeText) {
    ended = QDateTime::currentDateTimeUtc();
    outcome = outcomeText;
}

void ErasureFacts::describeDevice(const QString& devicePath, const QString& fsType,
                                  const QString& volumeLabel) {
    const DeviceFacts read = DeviceFacts::read(devicePath);
    device = devicePath;
    model = read.model;
    serial = read.serial;
    sizeBytes = read.sizeBytes;
    medium = read.medium;
    transport = read.transport;
    fileSystem = fsType.isEmpty() ? read.fileSystem : fsType;
    label = volumeLabel.isEmpty() ? read.label : volumeLabel;
}

qint64 ErasureFacts::fileBytes() const {
    qint64 total = 0;
    for (const File& file : files)
        total += file.bytes > 0 ? file.bytes : 0;
    return total;
}

QJsonObject ErasureFacts::toJson() const {
    QJsonArray fileList;
    for (const File& file : files)
        fileList.append(QJsonObject{{QStringLiteral("path"), file.path},
                                    {QStringLiteral("bytes"), file.bytes},
                                    {QStringLiteral("result"), file.result}});
    return {
        {QStringLiteral("format"), kFormat},
        {QStringLiteral("id"), id},
        {QStringLiteral("kind"), kind},
        {QStringLiteral("started"), time(started)},
        {QStringLiteral("ended"), time(ended)},
        {QStringLiteral("programVersion"), programVersion},
        {QStringLiteral("programBuild"), programBuild},
        {QStringLiteral("hostName"), hostName},
        {QStringLiteral("computerVendor"), computerVendor},
        {QStringLiteral("computerProduct"), computerProduct},
        {QStringLiteral("computerSerial"), computerSerial},
        {QStringLiteral("organisation"), organisation},
        {QStringLiteral("operator"), operatorName},
        {QStringLiteral("validator"), validator},
        {QStringLiteral("location"), location},
        {QStringLiteral("device"), device},
        {QStringLiteral("model"), model},
        {QStringLiteral("serial"), serial},
        {QStringLiteral("sizeBytes"), sizeBytes},
        {QStringLiteral("medium"), medium},
        {QStringLiteral("transport"), transport},
        {QStringLiteral("fileSystem"), fileSystem},
        {QStringLiteral("label"), label},
        {QStringLiteral("files"), fileList},
        {QStringLiteral("method"), method},
        {QStringLiteral("technique"), technique},
        {QStringLiteral("standard"), standard},
        {QStringLiteral("passes"), passes},
        {QStringLiteral("verificationMethod"), verificationMethod},
        {QStringLiteral("verificationCoverage"), verificationCoverage},
        {QStringLiteral("verificationResult"), verificationResult},
        {QStringLiteral("errors"), QJsonArray::fromStringList(errors)},
        {QStringLiteral("retries"), retries},
        {QStringLiteral("outcome"), outcome},
        {QStringLiteral("health"), health},
    };
}

QByteArray ErasureFacts::toBytes() const {
    return QJsonDocument(toJson()).toJson(QJsonDocument::Compact);
}

ErasureFacts ErasureFacts::fromJson(const QJsonObject& o) {
    ErasureFacts facts;
    const auto text = [&o](const char* name) { return o.value(QLatin1String(name)).toString(); };
    const auto number = [&o](const char* name) {
        const QJsonValue value = o.value(QLatin1String(name));
        return value.isDouble() ? value.toInteger(-1) : qint64(-1);
    };
    facts.id = text("id");
    facts.kind = text("kind");
    facts.started = QDateTime::fromString(text("started"), Qt::ISODate);
    facts.ended = QDateTime::fromString(text("ended"), Qt::ISODate);
    facts.programVersion = text("programVersion");
    facts.programBuild = text("programBuild");
    facts.hostName = text("hostName");
    facts.computerVendor = text("computerVendor");
    facts.computerProduct = text("computerProduct");
    facts.computerSerial = text("computerSerial");
    facts.organisation = text("organisation");
    facts.operatorName = text("operator");
    facts.validator = text("validator");
    facts.location = text("location");
    facts.device = text("device");
    facts.model = text("model");
    facts.serial = text("serial");
    facts.sizeBytes = number("sizeBytes");
    facts.medium = text("medium");
    facts.transport = text("transport");
    facts.fileSystem = text("fileSystem");
    facts.label = text("label");
    for (const QJsonValue& value : o.value(QLatin1String("files")).toArray()) {
        const QJsonObject file = value.toObject();
        facts.files.append({file.value(QLatin1String("path")).toString(),
                            file.value(QLatin1String("bytes")).toInteger(-1),
                            file.value(QLatin1String("result")).toString()});
    }
    facts.method = text("method");
    facts.technique = text("technique");
    facts.standard = text("standard");
    facts.passes = int(number("passes"));
    facts.verificationMethod = text("verificationMethod");
    facts.verificationCoverage = text("verificationCoverage");
    facts.verificationResult = text("verificationResult");
    for (const QJsonValue& value : o.value(QLatin1String("errors")).toArray())
        facts.errors << value.toString();
    facts.retries = int(number("retries"));
    facts.outcome = text("outcome");
    facts.health = o.value(QLatin1String("health")).toObject();
    return facts;
}

ErasureFacts ErasureFacts::fromBytes(const QByteArray& bytes) {
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject() || document.object().value(QLatin1String("format")).toInt() != kFormat)
        return {};
    return fromJson(document.object());
}

#include "app/Certificate/ErasureCertificate.h"

#include "app/Certificate/CertificateSigner.h"
#include "app/Certificate/ProgramIdentity.h"
#include "app/inter/DoDataBase.h"

#include <QJsonArray>
#include <QUuid>

namespace {

const QString& na() {
    return ErasureCertificate::kNotAvailable;
}

QJsonValue text(const QString& value) {
    return value.trimmed().isEmpty() ? QJsonValue(na()) : QJsonValue(value);
}

QJsonValue number(qint64 value) {
    return value < 0 ? QJsonValue(na()) : QJsonValue(value);
}

QJsonValue time(const QDateTime& value) {
    return value.isValid() ? QJsonValue(value.toUTC().toString(Qt::ISODate)) : QJsonValue(na());
}

QList<HistoryRecord> itemLines(const HistoryRecords& records) {
    QList<HistoryRecord> lines;
    for (const HistoryRecord& record : records)
        if (!record.isHeader())
            lines << record;
    return lines;
}

// The outcome of an entry without facts, from its lines' results.
QString outcomeOf(const QList<HistoryRecord>& lines) {
    qsizetype erased = 0;
    for (const HistoryRecord& line : lines)
        erased += line.result == QLatin1String("Erased") ? 1 : 0;
    if (lines.size() == 1)
        return lines.first().result;
    if (erased == lines.size())
        return QStringLiteral("Erased");
    return QStringLiteral("%1 of %2 items erased").arg(erased).arg(lines.size());
}

QJsonObject healthOf(const ErasureFacts& facts) {
    if (facts.health.isEmpty())
        return {
            {QStringLiteral("unavailable"), facts.kind == ErasureFacts::kFiles
                                                ? QStringLiteral("not read for an erasure of files")
                                                : QStringLiteral("not recorded")}};
    if (facts.health.contains(QLatin1String("unavailable")))
        return {{QStringLiteral("unavailable"), facts.health.value(QLatin1String("unavailable"))}};
    return {
        {QStringLiteral("source"), text(facts.health.value(QLatin1String("source")).toString())},
        {QStringLiteral("model"), text(facts.health.value(QLatin1String("model")).toString())},
        {QStringLiteral("serial"), text(facts.health.value(QLatin1String("serial")).toString())},
        {QStringLiteral("powerOnHours"),
         number(facts.health.value(QLatin1String("powerOnHours")).toInteger(-1))},
        {QStringLiteral("reallocatedSectors"),
         number(facts.health.value(QLatin1String("reallocatedSectors")).toInteger(-1))},
        {QStringLiteral("pendingSectors"),
         number(facts.health.value(QLatin1String("pendingSectors")).toInteger(-1))},
        {QStringLiteral("overall"), text(facts.health.value(QLatin1String("overall")).toString())},
    };
}

} // namespace

QString ErasureCertificate::kindOf(const QStringList& types, const HistoryRecords& records) {
    // Files, whichever module erased them.
    if (types.contains(DoDataBase::kTypeWipeFile) || types.contains(DoDataBase::kTypeUninstall) ||
        types.contains(DoDataBase::kTypeDuplicates))
        return ErasureFacts::kFiles;
    const QList<HistoryRecord> lines = itemLines(records);
    const QString first = lines.isEmpty() ? QString() : lines.first().items;
    if (first.startsWith(QLatin1String("Erase Free Space:")))
        return ErasureFacts::kFreeSpace;
    // The drive wipe names the device node, the whole-volume wipe the volume's name.
    if (first.startsWith(QLatin1String("Erase Hard Drive:/dev/")))
        return ErasureFacts::kDrive;
    return ErasureFacts::kVolume;
}

QJsonObject ErasureCertificate::build(const QString& key, const QStringList& types,
                                      const HistoryRecords& records, const ErasureFacts& recorded) {
    ErasureFacts facts = recorded;
    const QList<HistoryRecord> lines = itemLines(records);
    if (facts.kind.isEmpty())
        facts.kind = kindOf(types, records);
    if (facts.standard.isEmpty() && !lines.isEmpty())
        facts.standard = lines.first().erasureStandard;
    if (facts.outcome.isEmpty())
        facts.outcome = outcomeOf(lines);
    // An entry without facts still has an identity: one derived from the entry itself, the same
    // each time its certificate is made.
    const QString id =
        !facts.id.isEmpty()
            ? facts.id
            : QUuid::createUuidV5(QUuid(QStringLiteral("{5b0c2f1e-7a0d-4c59-9a52-3f1d6f3c1a77}")),
                                  key + QLatin1Char('\n') + types.join(QLatin1Char(',')) +
                                      QLatin1Char('\n') +
                                      (lines.isEmpty() ? QString() : lines.first().items))
                  .toString(QUuid::WithoutBraces);

    QJsonObject target{{QStringLiteral("kind"), facts.kind}};
    if (facts.kind == ErasureFacts::kFiles) {
        QJsonArray files;
        if (!facts.files.isEmpty()) {
            for (const ErasureFacts::File& file : facts.files)
                files.append(QJsonObject{{QStringLiteral("path"), text(file.path)},
                                         {QStringLiteral("bytes"), number(file.bytes)},
                                         {QStringLiteral("result"), text(file.result)}});
        } else {
            for (const HistoryRecord& line : lines)
                files.append(QJsonObject{{QStringLiteral("path"), text(line.items)},
                                         {QStringLiteral("bytes"), na()},
                                         {QStringLiteral("result"), text(line.result)}});
        }
        const bool sized = !facts.files.isEmpty() &&
                           std::all_of(facts.files.cbegin(), facts.files.cend(),
                                       [](const ErasureFacts::File& f) { return f.bytes >= 0; });
        target.insert(QStringLiteral("fileCount"), qint64(files.size()));
        target.insert(QStringLiteral("totalBytes"), sized ? QJsonValue(facts.fileBytes()) : na());
        target.insert(QStringLiteral("files"), files);
    } else {
        QString device = facts.device;
        if (device.isEmpty() && !lines.isEmpty())
            device = lines.first().items.section(QLatin1Char(':'), 1);
        target.insert(QStringLiteral("device"), text(device));
        target.insert(QStringLiteral("model"), text(facts.model));
        target.insert(QStringLiteral("serial"), text(facts.serial));
        target.insert(QStringLiteral("sizeBytes"), number(facts.sizeBytes));
        target.insert(QStringLiteral("medium"), text(facts.medium));
        target.insert(QStringLiteral("transport"), text(facts.transport));
        target.insert(QStringLiteral("fileSystem"), text(facts.fileSystem));
        target.insert(QStringLiteral("label"), text(facts.label));
    }

    qint64 duration = -1;
    if (facts.started.isValid() && facts.ended.isValid())
        duration = facts.started.secsTo(facts.ended);

    return {
        {QStringLiteral("format"), kFormatName},
        {QStringLiteral("formatVersion"), kFormatVersion},
        {QStringLiteral("id"), id},
        {QStringLiteral("historyEntry"), key},
        {QStringLiteral("organisation"),
         QJsonObject{{QStringLiteral("name"), text(facts.organisation)},
                     {QStringLiteral("operator"), text(facts.operatorName)},
                     {QStringLiteral("validator"), text(facts.validator)},
                     {QStringLiteral("location"), text(facts.location)}}},
        {QStringLiteral("computer"),
         QJsonObject{{QStringLiteral("hostName"), text(facts.hostName)},
                     {QStringLiteral("vendor"), text(facts.computerVendor)},
                     {QStringLiteral("product"), text(facts.computerProduct)},
                     {QStringLiteral("serial"), text(facts.computerSerial)}}},
        {QStringLiteral("program"),
         QJsonObject{{QStringLiteral("name"), ProgramIdentity::name()},
                     {QStringLiteral("version"), text(facts.programVersion)},
                     {QStringLiteral("build"), text(facts.programBuild)}}},
        {QStringLiteral("time"),
         QJsonObject{{QStringLiteral("started"), time(facts.started)},
                     {QStringLiteral("ended"), time(facts.ended)},
                     {QStringLiteral("durationSeconds"), number(duration)}}},
        {QStringLiteral("target"), target},
        {QStringLiteral("sanitization"),
         QJsonObject{{QStringLiteral("method"), text(facts.method)},
                     {QStringLiteral("technique"), text(facts.technique)},
                     {QStringLiteral("standard"), text(facts.standard)},
                     {QStringLiteral("passes"), number(facts.passes)}}},
        {QStringLiteral("verification"),
         QJsonObject{{QStringLiteral("method"), text(facts.verificationMethod)},
                     {QStringLiteral("coverage"), text(facts.verificationCoverage)},
                     {QStringLiteral("result"), text(facts.verificationResult)}}},
        {QStringLiteral("errors"),
         QJsonObject{{QStringLiteral("count"), recorded.kind.isEmpty()
                                                   ? QJsonValue(na())
                                                   : QJsonValue(qint64(facts.errors.size()))},
                     {QStringLiteral("retries"), number(facts.retries)},
                     {QStringLiteral("messages"), QJsonArray::fromStringList(facts.errors)}}},
        {QStringLiteral("health"), healthOf(facts)},
        {QStringLiteral("outcome"), text(facts.outcome)},
    };
}

ErasureCertificate::Loaded ErasureCertificate::forEntry(DoDataBase& history, const QString& key,
                                                        const CertificateKey& signer) {
    Loaded loaded;
    DoDataBase::HistoryTypes types;
    const HistoryResult<HistoryData> read = history.readAll(&types);
    loaded.status = read.status;
    if (!read.ok())
        return loaded;
    if (!read.value.contains(key)) {
        loaded.error = QStringLiteral("no history entry \"%1\"").arg(key);
        return loaded;
    }
    const HistoryResult<QByteArray> facts = history.readFacts(key);
    loaded.status = facts.status;
    if (!facts.ok())
        return loaded;
    const QJsonObject document =
        build(key, types.value(key), read.value.value(key), ErasureFacts::fromBytes(facts.value));
    const auto pair = signer.loadOrCreate(&loaded.error);
    if (!pair)
        return loaded;
    const auto signedDocument = CertificateSigner::sign(document, *pair, &loaded.error);
    if (signedDocument)
        loaded.document = *signedDocument;
    return loaded;
}

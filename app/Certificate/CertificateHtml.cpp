#include "app/Certificate/CertificateHtml.h"

#include "app/Certificate/CertificateSigner.h"
#include "app/Certificate/ErasureFacts.h"
#include "app/Main/WipeDisk/VolumeObj.h"
#include "app/SetEraserLevel/HistoryReport.h"

#include <QDateTime>
#include <QJsonArray>
#include <QLocale>

namespace {

const char* const kStyle =
    "body { font-family: 'DejaVu Sans', Verdana, sans-serif; font-size: 9pt; color: #1d2233; }\n"
    "h1 { font-size: 17pt; margin: 0 0 2pt 0; color: #2A304E; }\n"
    "h2 { font-size: 10.5pt; margin: 10pt 0 2pt 0; color: #2A304E; }\n"
    "p.sub { margin: 0 0 6pt 0; color: #4a5068; }\n"
    "table.facts { border-collapse: collapse; width: 100%; }\n"
    "table.facts th { text-align: left; font-weight: normal; color: #4a5068; width: 32%; "
    "padding: 2pt 6pt; border-bottom: 1px solid #d6d9e3; vertical-align: top; }\n"
    "table.facts td { padding: 2pt 6pt; border-bottom: 1px solid #d6d9e3; vertical-align: top; }\n"
    "table.files { border-collapse: collapse; width: 100%; font-size: 8pt; }\n"
    "table.files th { background-color: #767C9A; color: #ffffff; text-align: left; "
    "padding: 2pt 5pt; }\n"
    "table.files td { padding: 1pt 5pt; border-bottom: 1px solid #e3e5ec; }\n"
    "td.code { font-family: 'DejaVu Sans Mono', monospace; font-size: 12pt; font-weight: bold; }\n"
    "td.mono { font-family: 'DejaVu Sans Mono', monospace; }\n"
    "table.sign { width: 100%; margin-top: 14pt; }\n"
    "table.sign td { width: 50%; color: #4a5068; }\n"
    "table.sign td.line { border-top: 1px solid #2A304E; padding-top: 2pt; }\n"
    ".outcome { font-weight: bold; }\n";

QString esc(const QString& text) {
    return HistoryReport::escaped(text);
}

QString valueText(const QJsonValue& value) {
    if (value.isDouble())
        return QLocale(QLocale::English).toString(value.toInteger());
    return value.toString();
}

class Section {
public:
    explicit Section(QString& page, const QString& title) : m_page(page) {
        m_page += QStringLiteral("<h2>%1</h2>\n<table class=\"facts\" cellspacing=\"0\" "
                                 "width=\"100%\">\n")
                      .arg(esc(title));
    }
    ~Section() { m_page += QLatin1String("</table>\n"); }
    Section& row(const QString& label, const QString& text, const QString& cellClass = {}) {
        m_page += QStringLiteral("<tr><th width=\"34%\">%1</th><td%2>%3</td></tr>\n")
                      .arg(esc(label),
                           cellClass.isEmpty() ? QString()
                                               : QStringLiteral(" class=\"%1\"").arg(cellClass),
                           esc(text));
        return *this;
    }
    Section& row(const QString& label, const QJsonValue& value) {
        return row(label, valueText(value));
    }

private:
    QString& m_page;
};

QString kindTitle(const QString& kind) {
    if (kind == ErasureFacts::kFiles)
        return QStringLiteral("Files");
    if (kind == ErasureFacts::kFreeSpace)
        return QStringLiteral("Free space of a volume");
    if (kind == ErasureFacts::kVolume)
        return QStringLiteral("Whole volume");
    if (kind == ErasureFacts::kDrive)
        return QStringLiteral("Whole drive or partition");
    return kind;
}

} // namespace

QString CertificateHtml::timeText(const QString& text) {
    const QDateTime time = QDateTime::fromString(text, Qt::ISODate);
    return time.isValid() ? time.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'"))
                          : text;
}

QString CertificateHtml::sizeText(const QJsonValue& value) {
    if (!value.isDouble())
        return value.toString();
    return QStringLiteral("%1 bytes (%2)")
        .arg(QLocale(QLocale::English).toString(value.toInteger()),
             VolumeObj::byteToSizeWithByte(value.toInteger()));
}

QString CertificateHtml::page(const QJsonObject& d) {
    const auto object = [&d](const char* name) { return d.value(QLatin1String(name)).toObject(); };
    const auto at = [](const QJsonObject& o, const char* name) {
        return o.value(QLatin1String(name));
    };
    const QJsonObject organisation = object("organisation");
    const QJsonObject computer = object("computer");
    const QJsonObject program = object("program");
    const QJsonObject time = object("time");
    const QJsonObject target = object("target");
    const QJsonObject sanitization = object("sanitization");
    const QJsonObject verification = object("verification");
    const QJsonObject errors = object("errors");
    const QJsonObject health = object("health");
    const QJsonObject signature = object("signature");
    const QString kind = at(target, "kind").toString();

    QString page = QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta "
                                  "charset=\"utf-8\" />\n<title>Certificate of Data Erasure "
                                  "%1</title>\n<style type=\"text/css\">\n%2"
                                  "@page { size: A4; margin: 16mm; }\n</style>\n</head>\n<body>\n")
                       .arg(esc(d.value(QLatin1String("id")).toString()), QLatin1String(kStyle));
    page += QStringLiteral("<h1>Certificate of Data Erasure</h1>\n<p class=\"sub\">Certificate "
                           "%1 &#183; history entry %2</p>\n")
                .arg(esc(d.value(QLatin1String("id")).toString()),
                     esc(d.value(QLatin1String("historyEntry")).toString()));

    Section(page, QStringLiteral("Organisation"))
        .row(QStringLiteral("Organisation"), at(organisation, "name"))
        .row(QStringLiteral("Location"), at(organisation, "location"))
        .row(QStringLiteral("Erased by (operator)"), at(organisation, "operator"))
        .row(QStringLiteral("Checked by (validator)"), at(organisation, "validator"));

    {
        Section media(page, QStringLiteral("Media: ") + kindTitle(kind));
        if (kind == ErasureFacts::kFiles) {
            media.row(QStringLiteral("Files and folders"), at(target, "fileCount"))
                .row(QStringLiteral("Total size"), sizeText(at(target, "totalBytes")));
        } else {
            media.row(QStringLiteral("Device"), at(target, "device"))
                .row(QStringLiteral("Manufacturer and model"), at(target, "model"))
                .row(QStringLiteral("Serial number"), at(target, "serial"))
                .row(QStringLiteral("Size"), sizeText(at(target, "sizeBytes")))
                .row(QStringLiteral("Media type"), at(target, "medium"))
                .row(QStringLiteral("Connection"), at(target, "transport"))
                .row(QStringLiteral("File system"), at(target, "fileSystem"))
                .row(QStringLiteral("Volume name"), at(target, "label"));
        }
    }

    Section(page, QStringLiteral("Sanitization"))
        .row(QStringLiteral("Method"), at(sanitization, "method"))
        .row(QStringLiteral("Technique"), at(sanitization, "technique"))
        .row(QStringLiteral("Erasure standard"), at(sanitization, "standard"))
        .row(QStringLiteral("Passes"), at(sanitization, "passes"))
        .row(QStringLiteral("Verification"), at(verification, "method"))
        .row(QStringLiteral("Verification coverage"), at(verification, "coverage"))
        .row(QStringLiteral("Verification result"), at(verification, "result"))
        .row(QStringLiteral("Errors"), at(errors, "count"))
        .row(QStringLiteral("Retries"), at(errors, "retries"))
        .row(QStringLiteral("Outcome"), d.value(QLatin1String("outcome")).toString(),
             QStringLiteral("outcome"));
    if (!at(errors, "messages").toArray().isEmpty()) {
        Section list(page, QStringLiteral("Errors"));
        int n = 0;
        for (const QJsonValue& message : at(errors, "messages").toArray())
            list.row(QString::number(++n), message.toString());
    }

    Section(page, QStringLiteral("Time"))
        .row(QStringLiteral("Started"), timeText(at(time, "started").toString()))
        .row(QStringLiteral("Ended"), timeText(at(time, "ended").toString()))
        .row(QStringLiteral("Duration (seconds)"), at(time, "durationSeconds"));

    Section(page, QStringLiteral("Computer and tool"))
        .row(QStringLiteral("Host name"), at(computer, "hostName"))
        .row(QStringLiteral("Manufacturer"), at(computer, "vendor"))
        .row(QStringLiteral("Product"), at(computer, "product"))
        .row(QStringLiteral("Serial number"), at(computer, "serial"))
        .row(QStringLiteral("Tool"),
             at(program, "name").toString() + QLatin1Char(' ') + at(program, "version").toString())
        .row(QStringLiteral("Build"), at(program, "build"));

    if (kind != ErasureFacts::kFiles) {
        Section drive(page, QStringLiteral("Drive health"));
        if (health.contains(QLatin1String("unavailable")))
            drive.row(QStringLiteral("Not available"), at(health, "unavailable"));
        else
            drive.row(QStringLiteral("Read by"), at(health, "source"))
                .row(QStringLiteral("Model"), at(health, "model"))
                .row(QStringLiteral("Serial number"), at(health, "serial"))
                .row(QStringLiteral("Power-on hours"), at(health, "powerOnHours"))
                .row(QStringLiteral("Reallocated sectors"), at(health, "reallocatedSectors"))
                .row(QStringLiteral("Pending sectors"), at(health, "pendingSectors"))
                .row(QStringLiteral("Overall assessment"), at(health, "overall"));
    }

    const QByteArray signatureValue =
        QByteArray::fromBase64(at(signature, "value").toString().toLatin1());
    Section(page, QStringLiteral("Signature"))
        .row(QStringLiteral("Algorithm"), at(signature, "algorithm"))
        .row(QStringLiteral("Key fingerprint"), at(signature, "keyFingerprint").toString(),
             QStringLiteral("mono"))
        .row(QStringLiteral("Verification code"),
             signatureValue.isEmpty() ? QStringLiteral("not signed")
                                      : CertificateSigner::verificationCode(signatureValue),
             QStringLiteral("code"))
        .row(QStringLiteral("How to check"),
             QStringLiteral("The signed JSON form of this certificate is the record. "
                            "\"korvane certificate verify FILE.json\" checks its signature and "
                            "prints the same verification code."));

    // Room to sign a printed copy by hand.
    page += QStringLiteral("<table class=\"sign\" width=\"100%\" cellspacing=\"12\"><tr><td "
                           "height=\"48\">&#160;</td><td height=\"48\">&#160;</td></tr><tr><td "
                           "class=\"line\">Operator: signature and date</td><td "
                           "class=\"line\">Validator: signature and date</td></tr></table>\n");

    if (kind == ErasureFacts::kFiles) {
        const QJsonArray files = at(target, "files").toArray();
        page += QStringLiteral("<h2>Files (%1)</h2>\n<table class=\"files\" cellspacing=\"0\" "
                               "width=\"100%\">\n<tr><th>Path</th><th>Size</th><th>Result</th>"
                               "</tr>\n")
                    .arg(files.size());
        int listed = 0;
        for (const QJsonValue& value : files) {
            if (listed++ == kListedFiles)
                break;
            const QJsonObject file = value.toObject();
            page += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                        .arg(esc(file.value(QLatin1String("path")).toString()),
                             esc(valueText(file.value(QLatin1String("bytes")))),
                             esc(file.value(QLatin1String("result")).toString()));
        }
        page += QLatin1String("</table>\n");
        if (files.size() > kListedFiles)
            page += QStringLiteral("<p>%1 more are listed in the JSON form.</p>\n")
                        .arg(files.size() - kListedFiles);
    }
    page += QLatin1String("</body>\n</html>\n");
    return page;
}

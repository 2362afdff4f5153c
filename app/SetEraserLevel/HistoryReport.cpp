#include "app/SetEraserLevel/HistoryReport.h"

#include "app/Certificate/CertificateHtml.h"
#include "app/Certificate/PrivateFile.h"

#include <QJsonArray>
#include <QLocale>

namespace {

const char* const kHead =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
    "<head>\n"
    "    <meta name=\"viewport\" "
    "content=\"initial-scale=1.0,user-scalable=no,maximum-scale=1,width=device-width\" />\n"
    "    <meta name=\"format-detection\" content=\"telephone=no\" />\n"
    "    <meta name=\"apple-mobile-web-app-status-bar-style\" content=\"black\" />\n"
    "    <meta name=\"apple-mobile-web-app-capable\" content=\"yes\" />\n"
    "    <meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n"
    "    <title>Erasure History</title>\n"
    "    <style type=\"text/css\">\n"
    "        table, table tr th, table tr td { border:1px solid #2A304E; font-family: Segoe, "
    "\"Segoe UI \", \"DejaVu Sans \", \"Trebuchet MS \", Verdana, sans-serif; }\n"
    "        table { width: 800px; min-height: 25px; line-height: 25px; border-collapse: "
    "collapse; margin:0 auto; font-size:12px; color:#2A304E; }\n"
    "        td { padding:4px 12px; }\n"
    "        th { padding:4px 12px; background-color:#767C9A; color:#fff; }\n"
    "        .title { background-color:#7FCFDC; text-align:center; color:#fff; }\n"
    "    </style>\n"
    "</head>\n"
    "<body>\n"
    "    <!--toplink-->\n"
    "    <table width=\"200\" border=\"1\">\n";

const char* const kTail = "    </table>\n"
                          "</body>\n"
                          "</html>\n";

bool allowedInXml(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

QString HistoryReport::escaped(const QString& text) {
    QString out;
    out.reserve(text.size() + 16);
    for (const char32_t c : text.toUcs4()) {
        switch (c) {
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&#39;");
            break;
        default:
            // File names may hold control characters that no XML document may contain, not
            // even as references: they show as the replacement character.
            out += QString::fromUcs4(allowedInXml(c) ? &c : U"\uFFFD", 1);
        }
    }
    return out;
}

QList<QPair<QString, QString>> HistoryReport::factRows(const QJsonObject& c) {
    const auto at = [&c](const char* section, const char* field) {
        const QJsonValue value =
            c.value(QLatin1String(section)).toObject().value(QLatin1String(field));
        return value.isDouble() ? QLocale(QLocale::English).toString(value.toInteger())
                                : value.toString();
    };
    const auto joined = [](const QStringList& parts) { return parts.join(QStringLiteral(", ")); };
    const QJsonObject target = c.value(QLatin1String("target")).toObject();
    QList<QPair<QString, QString>> rows;
    rows.append({QStringLiteral("Certificate"), c.value(QLatin1String("id")).toString()});
    rows.append({QStringLiteral("Organisation"),
                 joined({at("organisation", "name"),
                         QStringLiteral("operator ") + at("organisation", "operator"),
                         QStringLiteral("validator ") + at("organisation", "validator"),
                         QStringLiteral("location ") + at("organisation", "location")})});
    rows.append(
        {QStringLiteral("Computer"),
         joined({at("computer", "hostName"), at("computer", "vendor"), at("computer", "product"),
                 QStringLiteral("serial ") + at("computer", "serial")})});
    rows.append({QStringLiteral("Program"), at("program", "name") + QLatin1Char(' ') +
                                                at("program", "version") + QStringLiteral(" (") +
                                                at("program", "build") + QLatin1Char(')')});
    rows.append({QStringLiteral("Time"), QStringLiteral("%1 to %2, %3 s")
                                             .arg(CertificateHtml::timeText(at("time", "started")),
                                                  CertificateHtml::timeText(at("time", "ended")),
                                                  at("time", "durationSeconds"))});
    if (target.value(QLatin1String("kind")).toString() == QLatin1String("files")) {
        rows.append({QStringLiteral("Files"),
                     QStringLiteral("%1 item(s), %2")
                         .arg(at("target", "fileCount"), CertificateHtml::sizeText(target.value(
                                                             QLatin1String("totalBytes"))))});
    } else {
        rows.append({QStringLiteral("Device"),
                     joined({at("target", "device"), at("target", "model"),
                             QStringLiteral("serial ") + at("target", "serial"),
                             CertificateHtml::sizeText(target.value(QLatin1String("sizeBytes"))),
                             at("target", "medium"), at("target", "transport"),
                             at("target", "fileSystem"), at("target", "label")})});
        const QJsonObject health = c.value(QLatin1String("health")).toObject();
        rows.append(
            {QStringLiteral("Drive health"),
             health.contains(QLatin1String("unavailable"))
                 ? health.value(QLatin1String("unavailable")).toString()
                 : joined({at("health", "model"),
                           QStringLiteral("serial ") + at("health", "serial"),
                           at("health", "powerOnHours") + QStringLiteral(" hours"),
                           at("health", "reallocatedSectors") + QStringLiteral(" reallocated"),
                           at("health", "pendingSectors") + QStringLiteral(" pending")})});
    }
    rows.append({QStringLiteral("Method"), at("sanitization", "method") + QStringLiteral(": ") +
                                               at("sanitization", "technique")});
    rows.append({QStringLiteral("Verification"),
                 joined({at("verification", "method"), at("verification", "coverage"),
                         at("verification", "result")})});
    rows.append(
        {QStringLiteral("Errors"),
         QStringLiteral("%1, retries %2").arg(at("errors", "count"), at("errors", "retries"))});
    rows.append({QStringLiteral("Outcome"), c.value(QLatin1String("outcome")).toString()});
    return rows;
}

QString HistoryReport::html(const QString& key, const HistoryRecords& records,
                            const QJsonObject& certificate) {
    QString page = QString::fromUtf8(kHead);
    page += QLatin1String("        <tr><th colspan=\"3\">") + escaped(key) +
            QLatin1String("</th></tr>\n");
    if (!certificate.isEmpty())
        for (const auto& [label, text] : factRows(certificate))
            page += QLatin1String("        <tr><td>") + escaped(label) +
                    QLatin1String("</td><td colspan=\"2\">") + escaped(text) +
                    QLatin1String("</td></tr>\n");
    for (const HistoryRecord& record : records) {
        page += record.isHeader() ? QLatin1String("        <tr class=\"title\">")
                                  : QLatin1String("        <tr>");
        page += QLatin1String("<td>") + escaped(record.items) + QLatin1String("</td><td>") +
                escaped(record.erasureStandard) + QLatin1String("</td><td>") +
                escaped(record.result) + QLatin1String("</td></tr>\n");
    }
    page += QLatin1String(kTail);
    return page;
}

bool HistoryReport::write(const QString& path, const QString& key, const HistoryRecords& records,
                          QString* error, const QJsonObject& certificate) {
    // Callers have asked before replacing a file: the window's save panel, --force.
    return PrivateFile::write(path, html(key, records, certificate).toUtf8(), true, error);
}

QString HistoryReport::proposedName(const QString& keyNow) {
    return QStringLiteral("ErasureHistory(%1)").arg(keyNow);
}

QString HistoryReport::withHtmlExtension(const QString& chosen) {
    if (chosen.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QLatin1String(".html");
}

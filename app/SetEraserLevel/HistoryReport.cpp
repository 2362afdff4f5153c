#include "app/SetEraserLevel/HistoryReport.h"

#include <QSaveFile>

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

QString HistoryReport::html(const QString& key, const HistoryRecords& records) {
    QString page = QString::fromUtf8(kHead);
    page += QLatin1String("        <tr><th colspan=\"3\">") + escaped(key) +
            QLatin1String("</th></tr>\n");
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
                          QString* error) {
    QSaveFile file(path);
    const QByteArray utf8 = html(key, records).toUtf8();
    const bool ok =
        file.open(QIODevice::WriteOnly) && file.write(utf8) == utf8.size() && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

QString HistoryReport::proposedName(const QString& keyNow) {
    return QStringLiteral("ErasureHistory(%1)").arg(keyNow);
}

QString HistoryReport::withHtmlExtension(const QString& chosen) {
    if (chosen.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QLatin1String(".html");
}

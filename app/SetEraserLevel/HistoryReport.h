#pragma once

#include "app/inter/HistoryRecord.h"

#include <QJsonObject>
#include <QString>

// The HTML report of one history entry: an XHTML 1.0 Transitional page holding one table, a row
// with the entry's key, then one row per line of the entry (the header line styled as a title).
// Everything taken from the history is escaped, so a file named "<b>&.txt" shows as that text
// and the page stays well-formed. Given the entry's CERTIFICATE (ErasureCertificate::build), the
// facts of the erasure follow the key row: computer, program, times, target, method,
// verification, errors, health and outcome.
class HistoryReport {
public:
    static QString html(const QString& key, const HistoryRecords& records,
                        const QJsonObject& certificate = QJsonObject());
    // Writes the report to PATH as UTF-8, readable by its owner only (0600), atomically (the
    // old file stays until the new one is complete). False when it could not be written, with
    // the reason in ERROR.
    static bool write(const QString& path, const QString& key, const HistoryRecords& records,
                      QString* error = nullptr, const QJsonObject& certificate = QJsonObject());
    // The facts rows of CERTIFICATE: label and text, in the order the report shows them.
    static QList<QPair<QString, QString>> factRows(const QJsonObject& certificate);
    // The file name proposed for an export made at the key time KEYNOW, with ".html" appended
    // unless CHOSEN already ends with it (any case).
    static QString proposedName(const QString& keyNow);
    static QString withHtmlExtension(const QString& chosen);
    // Text escaped for XHTML content and attribute values.
    static QString escaped(const QString& text);
};

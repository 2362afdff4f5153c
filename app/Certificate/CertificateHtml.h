#pragma once

#include <QJsonObject>
#include <QString>

// The certificate as an HTML page that prints well on A4 or Letter: every fact in labelled
// tables, the files (the first kListedFiles of them), the key fingerprint and the short
// verification code, and lines for the operator's and the validator's signatures. The same
// page is what the PDF form lays out (QTextDocument), so it keeps to the HTML subset Qt renders.
// Everything from the certificate is escaped.
class CertificateHtml {
public:
    static constexpr int kListedFiles = 500;
    // DOCUMENT: a signed certificate (ErasureCertificate::forEntry).
    static QString page(const QJsonObject& document);
    // "2024-03-05 14:07:09 UTC" for the JSON time TEXT; TEXT itself when it is not a time.
    static QString timeText(const QString& text);
    // "1,000,204,886,016 bytes (1.00 TB)" for a number; the text (not available) otherwise.
    static QString sizeText(const QJsonValue& value);
};

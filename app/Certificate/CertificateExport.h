#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

// The three forms of a signed certificate, made from the one object: the signed JSON (the
// record that `korvane certificate verify` checks), the HTML page and the PDF.
class CertificateExport {
public:
    enum class Form { Json, Html, Pdf };

    static QByteArray render(const QJsonObject& signedDocument, Form form);
    // The form a file name asks for by its extension (".json", ".html"/".htm", ".pdf"); none for
    // any other name.
    static std::optional<Form> formForPath(const QString& path);
    static QString extension(Form form);
    // "Certificate 2024-03-05 14-07-09.pdf" for entry KEY.
    static QString proposedName(const QString& key, Form form);
};

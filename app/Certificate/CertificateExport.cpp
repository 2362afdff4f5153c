#include "app/Certificate/CertificateExport.h"

#include "app/Certificate/CertificateHtml.h"
#include "app/Certificate/CertificatePdf.h"
#include "app/Certificate/CertificateSigner.h"

QByteArray CertificateExport::render(const QJsonObject& signedDocument, Form form) {
    switch (form) {
    case Form::Json:
        return CertificateSigner::fileBytes(signedDocument);
    case Form::Html:
        return CertificateHtml::page(signedDocument).toUtf8();
    case Form::Pdf:
        return CertificatePdf::bytes(signedDocument);
    }
    return {};
}

std::optional<CertificateExport::Form> CertificateExport::formForPath(const QString& path) {
    const QString lower = path.toLower();
    if (lower.endsWith(QLatin1String(".json")))
        return Form::Json;
    if (lower.endsWith(QLatin1String(".html")) || lower.endsWith(QLatin1String(".htm")))
        return Form::Html;
    if (lower.endsWith(QLatin1String(".pdf")))
        return Form::Pdf;
    return std::nullopt;
}

QString CertificateExport::extension(Form form) {
    switch (form) {
    case Form::Json:
        return QStringLiteral(".json");
    case Form::Html:
        return QStringLiteral(".html");
    case Form::Pdf:
        return QStringLiteral(".pdf");
    }
    return {};
}

QString CertificateExport::proposedName(const QString& key, Form form) {
    return QStringLiteral("Certificate %1%2").arg(key, extension(form));
}

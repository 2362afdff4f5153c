#pragma once

#include <QByteArray>
#include <QJsonObject>

// The certificate as a PDF on A4: the page CertificateHtml makes, laid out by QTextDocument and
// written by Qt's PDF writer, with the certificate's id and the page number at the foot of each
// page. Needs a QGuiApplication (the offscreen platform will do), not a display.
class CertificatePdf {
public:
    static QByteArray bytes(const QJsonObject& document);
};

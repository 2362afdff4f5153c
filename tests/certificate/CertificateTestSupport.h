#pragma once

#include "app/Certificate/CertificateKey.h"

#include <QJsonObject>
#include <QString>

namespace certtest {

// A fresh key pair in a new folder under ROOT.
CertificateKey::Pair makeKey(const QString& root, const QString& name);
// A small certificate-like document to sign.
QJsonObject sampleDocument();
// Runs python3 with the jsonschema module on SCHEMA and INSTANCE: empty when it validates, the
// error otherwise; "skip: …" when python3-jsonschema is not installed.
QString validateWithSchema(const QString& schema, const QByteArray& instance);

} // namespace certtest

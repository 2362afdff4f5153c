#include "CertificateTestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace certtest {

CertificateKey::Pair makeKey(const QString& root, const QString& name) {
    QString error;
    const auto pair = CertificateKey(QDir(root).filePath(name)).loadOrCreate(&error);
    EXPECT_TRUE(pair.has_value()) << error.toStdString();
    return pair.value_or(CertificateKey::Pair());
}

QJsonObject sampleDocument() {
    return {{QStringLiteral("format"), QStringLiteral("korvane-erasure-certificate")},
            {QStringLiteral("id"), QStringLiteral("0f8e4e51-3c0b-4b59-8a73-1f2a3b4c5d6e")},
            {QStringLiteral("outcome"), QStringLiteral("Erased")},
            {QStringLiteral("target"),
             QJsonObject{{QStringLiteral("device"), QStringLiteral("/dev/sdb")},
                         {QStringLiteral("sizeBytes"), 1000204886016LL},
                         {QStringLiteral("serial"), QStringLiteral("WD-WCC4N0123456")}}},
            {QStringLiteral("errors"), QJsonArray{QStringLiteral("é €"), 3}}};
}

QString validateWithSchema(const QString& schema, const QByteArray& instance) {
    QProcess probe;
    probe.start(QStringLiteral("python3"),
                {QStringLiteral("-c"), QStringLiteral("import jsonschema")});
    if (!probe.waitForFinished(20000) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0)
        return QStringLiteral("skip: python3-jsonschema is not installed");
    QTemporaryFile file;
    EXPECT_TRUE(file.open());
    file.write(instance);
    file.flush();
    QProcess python;
    python.start(
        QStringLiteral("python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import json,sys,jsonschema\n"
                        "schema=json.load(open(sys.argv[1]))\n"
                        "jsonschema.Draft202012Validator.check_schema(schema)\n"
                        "errors=[e.message+' at '+'/'.join(map(str,e.absolute_path)) for e in "
                        "jsonschema.Draft202012Validator(schema).iter_errors("
                        "json.load(open(sys.argv[2])))]\n"
                        "print('\\n'.join(errors))\n"),
         schema, file.fileName()});
    EXPECT_TRUE(python.waitForFinished(60000));
    const QString errors = QString::fromUtf8(python.readAllStandardOutput()).trimmed();
    if (python.exitCode() != 0)
        return QStringLiteral("python failed: ") + QString::fromUtf8(python.readAllStandardError());
    return errors;
}

} // namespace certtest

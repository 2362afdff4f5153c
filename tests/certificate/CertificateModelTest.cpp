#include "CertificateTestSupport.h"

#include "app/Certificate/CertificateHtml.h"
#include "app/Certificate/CertificateSigner.h"
#include "app/Certificate/DriveHealth.h"
#include "app/Certificate/ErasureCertificate.h"
#include "app/Certificate/MachineFacts.h"
#include "app/Certificate/PrivateFile.h"
#include "app/Job/DriveErasureFacts.h"
#include "app/SetEraserLevel/EraserStandard.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString kNA = ErasureCertificate::kNotAvailable;
const HistoryRecord kHeader{QStringLiteral("Items"), QStringLiteral("Erasure Standard"),
                            QStringLiteral("Result")};

// Every string leaf of OBJECT, with its path.
void leaves(const QJsonValue& value, const QString& path, QMap<QString, QJsonValue>& out) {
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            leaves(it.value(), path + QLatin1Char('/') + it.key(), out);
    } else if (!value.isArray()) {
        out.insert(path, value);
    }
}

QString schemaPath() {
    return QStringLiteral(KORVANE_SOURCE_DIR "/docs/certificate.schema.json");
}

} // namespace

// An entry written before facts were kept: what only facts hold is "not available", what the
// entry itself holds is kept, and the certificate still matches the schema.
TEST(CertificateModel, AnOldEntrySaysNotAvailableForWhatWasNeverRecorded) {
    const HistoryRecords records{kHeader,
                                 {QStringLiteral("Erase Hard Drive:/dev/sdc"),
                                  QStringLiteral("DoD 5220.22-M ECE"), QStringLiteral("Erased")}};
    const QJsonObject c = ErasureCertificate::build(QStringLiteral("2023-01-02 03-04-05"),
                                                    {QStringLiteral("WipeVolume")}, records, {});
    QMap<QString, QJsonValue> all;
    leaves(c, QString(), all);
    const QStringList kept = {"/format",
                              "/formatVersion",
                              "/id",
                              "/historyEntry",
                              "/program/name",
                              "/target/kind",
                              "/target/device",
                              "/sanitization/standard",
                              "/outcome",
                              "/health/unavailable"};
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        if (kept.contains(it.key()))
            continue;
        EXPECT_EQ(it.value().toString(), kNA) << it.key().toStdString();
    }
    EXPECT_EQ(c.value(QLatin1String("target")).toObject().value(QLatin1String("kind")), "drive");
    EXPECT_EQ(c.value(QLatin1String("target")).toObject().value(QLatin1String("device")),
              "/dev/sdc");
    EXPECT_EQ(c.value(QLatin1String("outcome")).toString(), "Erased");
    // The same entry gets the same id each time; another entry another.
    EXPECT_EQ(c.value(QLatin1String("id")),
              ErasureCertificate::build(QStringLiteral("2023-01-02 03-04-05"),
                                        {QStringLiteral("WipeVolume")}, records, {})
                  .value(QLatin1String("id")));
    EXPECT_NE(c.value(QLatin1String("id")),
              ErasureCertificate::build(QStringLiteral("2023-01-02 03-04-06"),
                                        {QStringLiteral("WipeVolume")}, records, {})
                  .value(QLatin1String("id")));

    QTemporaryDir dir;
    const auto signedDocument =
        CertificateSigner::sign(c, certtest::makeKey(dir.path(), QStringLiteral("k")));
    ASSERT_TRUE(signedDocument);
    const QString errors =
        certtest::validateWithSchema(schemaPath(), CertificateSigner::fileBytes(*signedDocument));
    if (errors.startsWith(QLatin1String("skip:")))
        GTEST_SKIP() << errors.toStdString();
    EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();
    // The schema is no formality: a certificate without its outcome is refused.
    QJsonObject broken = *signedDocument;
    broken.remove(QStringLiteral("outcome"));
    EXPECT_FALSE(
        certtest::validateWithSchema(schemaPath(), CertificateSigner::fileBytes(broken)).isEmpty());
}

TEST(CertificateModel, OldEntriesAreToldApartByTheirFirstLine) {
    const auto kind = [](const QString& type, const QString& line) {
        return ErasureCertificate::kindOf({type}, {kHeader, {line, QString(), QString()}});
    };
    EXPECT_EQ(kind(QStringLiteral("WipeFile"), QStringLiteral("/home/u/a")), "files");
    EXPECT_EQ(kind(QStringLiteral("WipeVolume"), QStringLiteral("Erase Free Space:USB")),
              "freeSpace");
    EXPECT_EQ(kind(QStringLiteral("WipeVolume"), QStringLiteral("Erase Hard Drive:USB")), "volume");
    EXPECT_EQ(kind(QStringLiteral("WipeVolume"), QStringLiteral("Erase Hard Drive:/dev/sdb")),
              "drive");
}

// The drive wipe's line detail names the method when one was chosen; otherwise it overwrote.
TEST(CertificateModel, TheDriveWipesDetailGivesMethodTechniqueAndVerification) {
    ErasureFacts purge;
    DriveErasureFacts::readDetail(
        purge,
        QStringLiteral("Purge (NVMe sanitize, crypto erase); 4096 of 1000204886016 bytes read "
                       "back and found as written"),
        1);
    EXPECT_EQ(purge.method, "Purge");
    EXPECT_EQ(purge.technique, "NVMe sanitize, crypto erase");
    EXPECT_EQ(purge.verificationCoverage, "4096 of 1000204886016 bytes");
    EXPECT_EQ(purge.verificationResult, "found as written");

    ErasureFacts clear;
    DriveErasureFacts::readDetail(clear, QStringLiteral("Clear (4 pass overwrite)"), 3);
    EXPECT_EQ(clear.method, "Clear");
    EXPECT_EQ(clear.technique, QStringLiteral("4 pass overwrite: the passes of %1, then zeros")
                                   .arg(EraserStandard::nameForLevel(3)));
    EXPECT_TRUE(clear.verificationMethod.isEmpty()) << "nothing said of reading back: unknown";

    ErasureFacts plain;
    DriveErasureFacts::readDetail(plain, QStringLiteral("not read back"), 7);
    EXPECT_EQ(plain.method, "Clear");
    EXPECT_TRUE(plain.technique.contains(QLatin1String("7 time(s)")));
    EXPECT_EQ(plain.verificationResult, "not verified");
}

TEST(CertificateModel, DriveHealthIsReadFromSmartctlsJson) {
    const QJsonObject ata = DriveHealth::parse(R"({
      "smartctl": {"exit_status": 0},
      "model_name": "WDC WD10EZEX-08WN4A0", "serial_number": "WD-WCC6Y0123456",
      "smart_status": {"passed": true}, "power_on_time": {"hours": 31337},
      "ata_smart_attributes": {"table": [
        {"id": 5, "name": "Reallocated_Sector_Ct", "raw": {"value": 8}},
        {"id": 9, "name": "Power_On_Hours", "raw": {"value": 31337}},
        {"id": 197, "name": "Current_Pending_Sector", "raw": {"value": 2}}]}})");
    EXPECT_EQ(ata.value(QLatin1String("model")), "WDC WD10EZEX-08WN4A0");
    EXPECT_EQ(ata.value(QLatin1String("serial")), "WD-WCC6Y0123456");
    EXPECT_EQ(ata.value(QLatin1String("powerOnHours")).toInteger(), 31337);
    EXPECT_EQ(ata.value(QLatin1String("reallocatedSectors")).toInteger(), 8);
    EXPECT_EQ(ata.value(QLatin1String("pendingSectors")).toInteger(), 2);
    EXPECT_EQ(ata.value(QLatin1String("overall")), "passed");

    const QJsonObject nvme = DriveHealth::parse(R"({
      "model_name": "Samsung SSD 980 1TB", "serial_number": "S64ANS0T123456",
      "nvme_smart_health_information_log": {"power_on_hours": 1200, "media_errors": 0}})");
    EXPECT_EQ(nvme.value(QLatin1String("powerOnHours")).toInteger(), 1200);
    // NVMe has no such attributes: unknown, never zero.
    EXPECT_EQ(nvme.value(QLatin1String("reallocatedSectors")).toInteger(), -1);

    const QJsonObject loop = DriveHealth::parse(R"({"smartctl": {"exit_status": 2, "messages":
      [{"string": "/dev/loop0: Unable to detect device type", "severity": "error"}]}})");
    EXPECT_EQ(loop.value(QLatin1String("unavailable")),
              "smartctl: /dev/loop0: Unable to detect device type");
    EXPECT_TRUE(DriveHealth::parse("").contains(QLatin1String("unavailable")));
}

TEST(CertificateModel, FirmwarePlaceholdersAreNotTakenForFacts) {
    QTemporaryDir dir;
    const auto put = [&dir](const char* name, const char* text) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    put("sys_vendor", "LENOVO\n");
    put("product_name", "To Be Filled By O.E.M.\n");
    put("product_serial", "PF1ABCDE\n");
    const MachineFacts facts = MachineFacts::readFrom(dir.path());
    EXPECT_EQ(facts.vendor, "LENOVO");
    EXPECT_TRUE(facts.product.isEmpty());
    EXPECT_EQ(facts.serial, "PF1ABCDE");
    EXPECT_TRUE(MachineFacts::readFrom(dir.filePath(QStringLiteral("none"))).serial.isEmpty());
}

TEST(CertificateModel, TheHtmlShowsTheFactsEscapedWithFingerprintAndCode) {
    ErasureFacts facts;
    facts.kind = ErasureFacts::kFiles;
    facts.organisation = QStringLiteral("<script>alert(1)</script> & Co");
    facts.files = {{QStringLiteral("/home/u/<b>&.txt"), 12, QStringLiteral("Erased")}};
    facts.started = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC);
    const QJsonObject c = ErasureCertificate::build(QStringLiteral("2024-03-05 15-07-09"),
                                                    {QStringLiteral("WipeFile")}, {kHeader}, facts);
    QTemporaryDir dir;
    const auto key = certtest::makeKey(dir.path(), QStringLiteral("k"));
    const auto signedDocument = CertificateSigner::sign(c, key);
    ASSERT_TRUE(signedDocument);
    const QString page = CertificateHtml::page(*signedDocument);
    EXPECT_FALSE(page.contains(QLatin1String("<script>")));
    EXPECT_TRUE(page.contains(QLatin1String("&lt;script&gt;alert(1)&lt;/script&gt; &amp; Co")));
    EXPECT_TRUE(page.contains(QLatin1String("/home/u/&lt;b&gt;&amp;.txt")));
    EXPECT_TRUE(page.contains(QLatin1String("2024-03-05 14:07:09 UTC")));
    EXPECT_TRUE(page.contains(key.fingerprint()));
    const auto verdict = CertificateSigner::verify(CertificateSigner::fileBytes(*signedDocument),
                                                   {key.fingerprint()});
    ASSERT_TRUE(verdict.valid);
    EXPECT_TRUE(page.contains(verdict.code)) << "the printed code is the one verify prints";
}

TEST(CertificateModel, FilesAreWrittenPrivateAndNeverOverAnotherWithoutReplace) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.json"));
    ::umask(022);
    QString error;
    ASSERT_TRUE(PrivateFile::write(path, "one", false, &error)) << error.toStdString();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(PrivateFile::write(path, "two", false, &error));
    EXPECT_TRUE(error.contains(QLatin1String("exists")));
    // Nor through a link left in the way.
    const QString link = dir.filePath(QStringLiteral("link.json"));
    QFile::link(dir.filePath(QStringLiteral("target")), link);
    EXPECT_FALSE(PrivateFile::write(link, "x", false, &error));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("target"))));
    ASSERT_TRUE(PrivateFile::write(path, "two", true, &error));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "two");
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

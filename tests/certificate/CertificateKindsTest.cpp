// Each kind of erasure, run through `korvane` on temporary files and loop devices, yields a
// signed certificate that holds every fact, validates against the schema and verifies; what
// cannot be read on this machine says "not available".
#include "CertificateTestSupport.h"
#include "LoopImage.h"
#include "RealToolBundle.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using testsupport::LoopImage;

namespace {

const QString kNA = QStringLiteral("not available");

struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

CliRun korvane(const QStringList& args) {
    QProcess process;
    process.setProgram(QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane"));
    process.setArguments(args);
    process.start();
    process.closeWriteChannel();
    CliRun run;
    if (!process.waitForFinished(300000))
        return run;
    run.code = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class CertificateKinds : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        bundle = makeRealToolBundle(dir.path());
        if (bundle.isEmpty())
            GTEST_SKIP() << "the srm tool is not built";
        // The settings store the certificate's people come from.
        const QString store = bundle + QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/"
                                                      "Contents/Resources/NexwipeBase.plist");
        QFile::copy(QStringLiteral(KORVANE_SOURCE_DIR "/app/Resources/NexwipeBase.plist"), store);
        QFile::setPermissions(store, QFile::ReadOwner | QFile::WriteOwner);
        for (const auto& [field, value] :
             {std::pair{"organisation", "Acme Recycling <Ltd> & Co"},
              std::pair{"operator", "Jo Operator"}, std::pair{"validator", "Val Checker"}}) {
            const CliRun set =
                cli({QStringLiteral("settings"), QLatin1String(field), QString::fromUtf8(value)});
            ASSERT_EQ(set.code, 0) << set.err.toStdString();
        }
    }

    CliRun cli(QStringList args) {
        args << QStringLiteral("--bundle") << bundle;
        return korvane(args);
    }

    // The newest entry's certificate, checked to verify and to match the schema.
    QJsonObject newestCertificate() {
        const CliRun list = cli({QStringLiteral("history")});
        EXPECT_EQ(list.code, 0) << list.err.toStdString();
        const QString key =
            list.out.section(QLatin1Char('\n'), 0, 0).section(QStringLiteral("  "), 0, 0);
        const QString file = dir.filePath(QStringLiteral("certificate-%1.json").arg(++made));
        const CliRun made =
            cli({QStringLiteral("history"), QStringLiteral("certificate"), key, file});
        EXPECT_EQ(made.code, 0) << made.err.toStdString();
        const CliRun verified =
            cli({QStringLiteral("certificate"), QStringLiteral("verify"), file});
        EXPECT_EQ(verified.code, 0) << verified.out.toStdString() << verified.err.toStdString();
        EXPECT_TRUE(verified.out.contains(QLatin1String(": valid, signed by key SHA256:")));
        QFile read(file);
        EXPECT_TRUE(read.open(QIODevice::ReadOnly));
        const QByteArray bytes = read.readAll();
        const QString schemaErrors = certtest::validateWithSchema(
            QStringLiteral(KORVANE_SOURCE_DIR "/docs/certificate.schema.json"), bytes);
        if (!schemaErrors.startsWith(QLatin1String("skip:")))
            EXPECT_TRUE(schemaErrors.isEmpty()) << schemaErrors.toStdString();
        return QJsonDocument::fromJson(bytes).object();
    }

    // What every kind records the same way.
    void expectCommonFacts(const QJsonObject& c, int passes, const QString& standard) {
        const auto at = [&c](const char* section, const char* field) {
            return c.value(QLatin1String(section)).toObject().value(QLatin1String(field));
        };
        EXPECT_EQ(at("organisation", "name").toString(), "Acme Recycling <Ltd> & Co");
        EXPECT_EQ(at("organisation", "operator").toString(), "Jo Operator");
        EXPECT_EQ(at("organisation", "validator").toString(), "Val Checker");
        EXPECT_EQ(at("organisation", "location").toString(), kNA) << "never set: never made up";
        EXPECT_EQ(at("computer", "hostName").toString(),
                  QSysInfo::machineHostName().isEmpty() ? kNA : QSysInfo::machineHostName());
        EXPECT_EQ(at("program", "version").toString(), QStringLiteral(KORVANE_VERSION));
        EXPECT_NE(at("program", "build").toString(), kNA);
        const QDateTime started =
            QDateTime::fromString(at("time", "started").toString(), Qt::ISODate);
        const QDateTime ended = QDateTime::fromString(at("time", "ended").toString(), Qt::ISODate);
        ASSERT_TRUE(started.isValid() && ended.isValid());
        EXPECT_LE(started, ended);
        EXPECT_LE(qAbs(ended.secsTo(QDateTime::currentDateTimeUtc())), 600);
        EXPECT_EQ(at("time", "durationSeconds").toInteger(-1), started.secsTo(ended));
        EXPECT_EQ(at("sanitization", "method").toString(), "Clear");
        EXPECT_EQ(at("sanitization", "passes").toInt(), passes);
        EXPECT_EQ(at("sanitization", "standard").toString(), standard);
        EXPECT_TRUE(at("sanitization", "technique").toString().contains(standard));
        for (const char* field : {"method", "coverage", "result"})
            EXPECT_NE(at("verification", field).toString(), kNA) << field;
        EXPECT_EQ(at("errors", "count").toInt(-1), 0);
        EXPECT_EQ(at("errors", "retries").toInt(-1), 0);
        EXPECT_EQ(c.value(QLatin1String("outcome")).toString(), "Erased");
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f-]{36}$"))
                        .match(c.value(QLatin1String("id")).toString())
                        .hasMatch());
    }

    // The device facts of a loop device: its image stands for the model; a loop device has
    // no serial number, so none may be printed.
    void expectLoopDevice(const QJsonObject& target, const QString& device, qint64 size) {
        EXPECT_EQ(target.value(QLatin1String("device")).toString(), device);
        EXPECT_EQ(target.value(QLatin1String("sizeBytes")).toInteger(), size);
        EXPECT_EQ(target.value(QLatin1String("serial")).toString(), kNA);
        EXPECT_NE(target.value(QLatin1String("model")).toString(), kNA);
        EXPECT_NE(target.value(QLatin1String("medium")).toString(), kNA);
        EXPECT_NE(target.value(QLatin1String("transport")).toString(), kNA);
    }

    static void expectHealthSaid(const QJsonObject& c) {
        const QJsonObject health = c.value(QLatin1String("health")).toObject();
        // smartctl cannot read a loop device; where it is not installed that is said instead.
        EXPECT_FALSE(health.value(QLatin1String("unavailable")).toString().isEmpty())
            << QJsonDocument(health).toJson().toStdString();
    }

    QTemporaryDir dir;
    QString bundle;
    int made = 0;
};

QString loopDeviceOf(const std::string& mountPoint) {
    QProcess findmnt;
    findmnt.start(QStringLiteral("findmnt"),
                  {QStringLiteral("-n"), QStringLiteral("-o"), QStringLiteral("SOURCE"),
                   QString::fromStdString(mountPoint)});
    findmnt.waitForFinished(10000);
    return QString::fromUtf8(findmnt.readAllStandardOutput()).trimmed();
}

} // namespace

TEST_F(CertificateKinds, FilesNameEachItemItsBytesAndHowTheyWereChecked) {
    const QString folder = dir.filePath(QStringLiteral("victim"));
    QDir().mkpath(folder + QStringLiteral("/inner"));
    const auto write = [](const QString& path, int bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(bytes, 'x'));
    };
    write(folder + QStringLiteral("/one.txt"), 1000);
    write(folder + QStringLiteral("/inner/two.bin"), 3000);
    write(folder + QStringLiteral("/inner/three.bin"), 500);
    const CliRun erased =
        cli({QStringLiteral("erase"), QStringLiteral("--yes"), QStringLiteral("--level"),
             QStringLiteral("3"), folder + QStringLiteral("/one.txt"),
             folder + QStringLiteral("/inner")});
    ASSERT_EQ(erased.code, 0) << erased.err.toStdString();

    const QJsonObject c = newestCertificate();
    expectCommonFacts(c, 3, QStringLiteral("U.S. Army AR380-19"));
    const QJsonObject target = c.value(QLatin1String("target")).toObject();
    EXPECT_EQ(target.value(QLatin1String("kind")).toString(), "files");
    EXPECT_EQ(target.value(QLatin1String("fileCount")).toInt(), 2);
    EXPECT_EQ(target.value(QLatin1String("totalBytes")).toInteger(), 4500);
    const QJsonArray files = target.value(QLatin1String("files")).toArray();
    ASSERT_EQ(files.size(), 2);
    QMap<QString, qint64> bytes;
    for (const QJsonValue& file : files) {
        bytes.insert(file[QLatin1String("path")].toString(),
                     file[QLatin1String("bytes")].toInteger());
        EXPECT_EQ(file[QLatin1String("result")].toString(), "Erased");
    }
    EXPECT_EQ(bytes.value(folder + QStringLiteral("/one.txt")), 1000);
    EXPECT_EQ(bytes.value(folder + QStringLiteral("/inner")), 3500)
        << "a folder: what was under it";
    EXPECT_EQ(
        c.value(QLatin1String("verification")).toObject().value(QLatin1String("result")).toString(),
        "2 of 2 items gone");
    EXPECT_EQ(
        c.value(QLatin1String("health")).toObject().value(QLatin1String("unavailable")).toString(),
        "not read for an erasure of files");
}

TEST_F(CertificateKinds, AFreeSpaceWipeNamesTheVolumeAndItsDrive) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty())
        GTEST_SKIP() << why;
    LoopImage image(LoopImage::FileSystem::Ext4, 32u << 20);
    image.mount();
    const QString device = loopDeviceOf(image.mountPoint());
    const CliRun wiped =
        cli({QStringLiteral("wipe-free-space"), QString::fromStdString(image.mountPoint()),
             QStringLiteral("--level"), QStringLiteral("1"), QStringLiteral("--yes")});
    ASSERT_EQ(wiped.code, 0) << wiped.err.toStdString();

    const QJsonObject c = newestCertificate();
    expectCommonFacts(c, 1, QStringLiteral("HMG Infosec Standard 5"));
    const QJsonObject target = c.value(QLatin1String("target")).toObject();
    EXPECT_EQ(target.value(QLatin1String("kind")).toString(), "freeSpace");
    expectLoopDevice(target, device, 32 << 20);
    EXPECT_EQ(target.value(QLatin1String("fileSystem")).toString(), "ext4");
    EXPECT_EQ(
        c.value(QLatin1String("verification")).toObject().value(QLatin1String("result")).toString(),
        "not verified")
        << "a free-space wipe reads nothing back, and says so";
    expectHealthSaid(c);
}

TEST_F(CertificateKinds, AVolumeWipeNamesTheVolumeAsItWasBefore) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty())
        GTEST_SKIP() << why;
    LoopImage image(LoopImage::FileSystem::Ext4, 32u << 20);
    image.mount();
    const QString device = loopDeviceOf(image.mountPoint());
    ASSERT_EQ(LoopImage::run({"e2label", device.toStdString(), "OLDNAME"}), 0);
    const CliRun wiped = cli({QStringLiteral("wipe-volume"), device, QStringLiteral("--level"),
                              QStringLiteral("1"), QStringLiteral("--yes")});
    if (wiped.err.contains(QLatin1String("volume tool")))
        GTEST_SKIP() << "the volume tool is not built";
    ASSERT_EQ(wiped.code, 0) << wiped.out.toStdString() << wiped.err.toStdString();

    const QJsonObject c = newestCertificate();
    expectCommonFacts(c, 1, QStringLiteral("HMG Infosec Standard 5"));
    const QJsonObject target = c.value(QLatin1String("target")).toObject();
    EXPECT_EQ(target.value(QLatin1String("kind")).toString(), "volume");
    expectLoopDevice(target, device, 32 << 20);
    EXPECT_EQ(target.value(QLatin1String("fileSystem")).toString(), "ext4");
    EXPECT_EQ(target.value(QLatin1String("label")).toString(), "OLDNAME");
    EXPECT_TRUE(c.value(QLatin1String("sanitization"))
                    .toObject()
                    .value(QLatin1String("technique"))
                    .toString()
                    .startsWith(QLatin1String("volume made anew")));
    expectHealthSaid(c);
}

TEST_F(CertificateKinds, ADriveWipeSaysWhatWasReadBack) {
    if (::geteuid() != 0 || LoopImage::run({"sh", "-c", "command -v losetup >/dev/null"}) != 0)
        GTEST_SKIP() << "needs root and losetup";
    const QString image = dir.filePath(QStringLiteral("drive.img"));
    ASSERT_EQ(LoopImage::run({"truncate", "-s", "8M", image.toStdString()}), 0);
    std::string attached;
    ASSERT_EQ(LoopImage::run({"losetup", "-f", "--show", image.toStdString()}, &attached), 0);
    const QString device = QString::fromStdString(attached).trimmed();
    struct Detach {
        QString device;
        ~Detach() { LoopImage::run({"losetup", "-d", device.toStdString()}); }
    } detach{device};
    const CliRun wiped =
        cli({QStringLiteral("wipe-drive"), device, QStringLiteral("--level"), QStringLiteral("1"),
             QStringLiteral("--verify"), QStringLiteral("all"), QStringLiteral("--yes")});
    if (wiped.err.contains(QLatin1String("volume tool")))
        GTEST_SKIP() << "the volume tool is not built";
    ASSERT_EQ(wiped.code, 0) << wiped.out.toStdString() << wiped.err.toStdString();

    const QJsonObject c = newestCertificate();
    expectCommonFacts(c, 1, QStringLiteral("HMG Infosec Standard 5"));
    const QJsonObject target = c.value(QLatin1String("target")).toObject();
    EXPECT_EQ(target.value(QLatin1String("kind")).toString(), "drive");
    expectLoopDevice(target, device, 8 << 20);
    const QJsonObject verification = c.value(QLatin1String("verification")).toObject();
    // As the wipe's report line says it: every pass is read back with --verify all.
    const QString coverage = verification.value(QLatin1String("coverage")).toString();
    EXPECT_TRUE(coverage.endsWith(QStringLiteral(" of %1 bytes").arg(8 << 20)) &&
                coverage.section(QLatin1Char(' '), 0, 0).toLongLong() >= (8 << 20))
        << coverage.toStdString();
    EXPECT_EQ(verification.value(QLatin1String("result")).toString(), "found as written");
    expectHealthSaid(c);
}

// The three forms of one entry: written readable by the owner only, never over a file without
// --force; the PDF renders, and the HTML carries the code that verifying the JSON prints.
TEST_F(CertificateKinds, TheFormsAreWrittenPrivatelyAndThePdfRenders) {
    const QString victim = dir.filePath(QStringLiteral("victim.txt"));
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("secret");
    }
    ASSERT_EQ(cli({QStringLiteral("erase"), QStringLiteral("--yes"), victim}).code, 0);
    const QString key = cli({QStringLiteral("history")}).out.section(QStringLiteral("  "), 0, 0);
    const QString json = dir.filePath(QStringLiteral("c.json"));
    const QString html = dir.filePath(QStringLiteral("c.html"));
    const QString pdf = dir.filePath(QStringLiteral("c.pdf"));
    ::umask(022);
    for (const QString& file : {json, html, pdf}) {
        const CliRun made =
            cli({QStringLiteral("history"), QStringLiteral("certificate"), key, file});
        ASSERT_EQ(made.code, 0) << made.err.toStdString();
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u) << file.toStdString();
        const CliRun again =
            cli({QStringLiteral("history"), QStringLiteral("certificate"), key, file});
        EXPECT_EQ(again.code, 1);
        EXPECT_TRUE(again.err.contains(QLatin1String("--force"))) << again.err.toStdString();
    }
    EXPECT_EQ(cli({QStringLiteral("history"), QStringLiteral("certificate"), key, pdf,
                   QStringLiteral("--force")})
                  .code,
              0);
    const CliRun verified = cli({QStringLiteral("certificate"), QStringLiteral("verify"), json});
    const QString code = verified.out.section(QStringLiteral("verification code "), 1).trimmed();
    ASSERT_EQ(code.size(), 14) << verified.out.toStdString();
    QFile page(html);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(page.readAll()).contains(code));
    // The PDF form is not a JSON certificate and does not pass for one.
    EXPECT_EQ(cli({QStringLiteral("certificate"), QStringLiteral("verify"), pdf}).code, 1);

    if (LoopImage::run({"sh", "-c", "command -v pdftoppm >/dev/null"}) != 0)
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed: the PDF was not rendered";
    const std::string png = dir.filePath(QStringLiteral("page")).toStdString();
    ASSERT_EQ(LoopImage::run({"pdftoppm", "-r", "40", "-gray", "-png", "-f", "1", "-l", "1",
                              pdf.toStdString(), png}),
              0);
    QImage image(QString::fromStdString(png) + QStringLiteral("-1.png"));
    ASSERT_FALSE(image.isNull());
    // A4 at 40 dots per inch, and ink on it: the text was laid out, not a blank page.
    EXPECT_NEAR(image.width(), 331, 3);
    EXPECT_NEAR(image.height(), 468, 3);
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 2000);
}

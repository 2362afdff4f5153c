#include "CertificateTestSupport.h"

#include "app/Certificate/CanonicalJson.h"
#include "app/Certificate/CertificateSigner.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CertificateSignerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ours = certtest::makeKey(dir.path(), QStringLiteral("ours"));
        theirs = certtest::makeKey(dir.path(), QStringLiteral("theirs"));
    }
    QByteArray signedFile(const CertificateKey::Pair& key) {
        const auto document = CertificateSigner::sign(certtest::sampleDocument(), key);
        EXPECT_TRUE(document.has_value());
        return CertificateSigner::fileBytes(document.value_or(QJsonObject()));
    }
    CertificateSigner::Verdict verify(const QByteArray& file) {
        return CertificateSigner::verify(file, {ours.fingerprint()});
    }

    QTemporaryDir dir;
    CertificateKey::Pair ours;
    CertificateKey::Pair theirs;
};

} // namespace

TEST_F(CertificateSignerTest, ASignedCertificateVerifiesAndNamesItsKeyAndCode) {
    const QByteArray file = signedFile(ours);
    const auto verdict = verify(file);
    EXPECT_TRUE(verdict.valid) << verdict.reason.toStdString();
    EXPECT_EQ(verdict.fingerprint, ours.fingerprint());
    EXPECT_TRUE(verdict.reason.contains(ours.fingerprint()));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9A-Z]{4}-[0-9A-Z]{4}-[0-9A-Z]{4}$"))
                    .match(verdict.code)
                    .hasMatch())
        << verdict.code.toStdString();
    // The file is the canonical form of the whole document, signature included.
    EXPECT_EQ(CanonicalJson::serialize(QJsonDocument::fromJson(file).object()).value(), file);
    // Ed25519 is deterministic: the same content signed again gives the same code, so a
    // printed copy made later can be matched with the file.
    EXPECT_EQ(verify(signedFile(ours)).code, verdict.code);
}

TEST_F(CertificateSignerTest, EveryChangedByteMakesItInvalid) {
    const QByteArray file = signedFile(ours);
    for (qsizetype i = 0; i < file.size(); ++i) {
        for (const char replacement : {'0', ' ', 'A'}) {
            if (file.at(i) == replacement)
                continue;
            QByteArray changed = file;
            changed[i] = replacement;
            const auto verdict = verify(changed);
            ASSERT_FALSE(verdict.valid)
                << "byte " << i << " changed to '" << replacement << "' still verifies";
            ASSERT_FALSE(verdict.reason.isEmpty());
        }
    }
    EXPECT_FALSE(verify(file + '\n').valid);
    EXPECT_FALSE(verify(file.chopped(1)).valid);
}

TEST_F(CertificateSignerTest, EachFailureSaysWhy) {
    const QByteArray file = signedFile(ours);
    QJsonObject document = QJsonDocument::fromJson(file).object();

    // A changed field, written back in canonical form: the signature no longer matches.
    QJsonObject changed = document;
    changed.insert(QStringLiteral("outcome"), QStringLiteral("Failed"));
    auto verdict = verify(CanonicalJson::serialize(changed).value());
    EXPECT_FALSE(verdict.valid);
    EXPECT_TRUE(verdict.reason.contains(QLatin1String("does not match the content")))
        << verdict.reason.toStdString();

    // Laid out anew (the same content, other bytes): not the file that was signed.
    verdict = verify(QJsonDocument(document).toJson(QJsonDocument::Indented));
    EXPECT_FALSE(verdict.valid);
    EXPECT_TRUE(verdict.reason.contains(QLatin1String("canonical form")))
        << verdict.reason.toStdString();

    // Signed by another key, which is not trusted here.
    verdict = verify(signedFile(theirs));
    EXPECT_FALSE(verdict.valid);
    EXPECT_TRUE(verdict.reason.contains(theirs.fingerprint()) &&
                verdict.reason.contains(QLatin1String("not a trusted key")))
        << verdict.reason.toStdString();
    EXPECT_TRUE(CertificateSigner::verify(signedFile(theirs), {theirs.fingerprint()}).valid);

    // Our key named, another key's signature: does not match.
    QJsonObject forged = QJsonDocument::fromJson(signedFile(theirs)).object();
    QJsonObject signature = forged.value(QStringLiteral("signature")).toObject();
    signature.insert(QStringLiteral("publicKey"), QString::fromLatin1(ours.publicKey.toBase64()));
    signature.insert(QStringLiteral("keyFingerprint"), ours.fingerprint());
    forged.insert(QStringLiteral("signature"), signature);
    verdict = verify(CanonicalJson::serialize(forged).value());
    EXPECT_FALSE(verdict.valid);
    EXPECT_TRUE(verdict.reason.contains(QLatin1String("does not match the content")));

    // A fingerprint that is not the public key's.
    signature = document.value(QStringLiteral("signature")).toObject();
    signature.insert(QStringLiteral("keyFingerprint"), theirs.fingerprint());
    forged = document;
    forged.insert(QStringLiteral("signature"), signature);
    verdict = verify(CanonicalJson::serialize(forged).value());
    EXPECT_FALSE(verdict.valid);
    EXPECT_TRUE(verdict.reason.contains(QLatin1String("does not belong to the public key")));

    // The spare bits of the signature's last base64 character changed: the same bytes
    // decoded, another file; refused.
    static const QByteArray alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    signature = document.value(QStringLiteral("signature")).toObject();
    QByteArray value = signature.value(QStringLiteral("value")).toString().toLatin1();
    const qsizetype last = value.indexOf('=') - 1;
    const int index = int(alphabet.indexOf(value.at(last)));
    value[last] = alphabet.at((index & 0x30) | ((index + 1) & 0x0f));
    signature.insert(QStringLiteral("value"), QString::fromLatin1(value));
    forged = document;
    forged.insert(QStringLiteral("signature"), signature);
    ASSERT_EQ(QByteArray::fromBase64(value),
              QByteArray::fromBase64(document.value(QStringLiteral("signature"))
                                         .toObject()
                                         .value(QStringLiteral("value"))
                                         .toString()
                                         .toLatin1()));
    verdict = verify(CanonicalJson::serialize(forged).value());
    EXPECT_FALSE(verdict.valid);
    EXPECT_TRUE(verdict.reason.contains(QLatin1String("malformed")));

    // No signature, and not JSON at all.
    document.remove(QStringLiteral("signature"));
    EXPECT_TRUE(verify(CanonicalJson::serialize(document).value())
                    .reason.contains(QLatin1String("no signature")));
    EXPECT_TRUE(verify("%PDF-1.4").reason.contains(QLatin1String("not a JSON document")));
    // No trusted key given: never valid.
    EXPECT_FALSE(CertificateSigner::verify(file, {}).valid);
}

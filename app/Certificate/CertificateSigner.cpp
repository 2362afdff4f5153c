#include "app/Certificate/CertificateSigner.h"

#include <QCoreApplication>

#include "app/Certificate/CanonicalJson.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonParseError>
#include <sodium.h>

namespace {

const QString kPublicKey = QStringLiteral("publicKey");
const QString kFingerprint = QStringLiteral("keyFingerprint");
const QString kValue = QStringLiteral("value");
const QString kAlgorithmName = QStringLiteral("algorithm");

const unsigned char* bytes(const QByteArray& data) {
    return reinterpret_cast<const unsigned char*>(data.constData());
}

std::optional<QByteArray> strictBase64(const QJsonValue& value, qsizetype size) {
    const auto decoded = QByteArray::fromBase64Encoding(value.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    // Only the one encoding of the bytes: base64 leaves spare bits in the last character,
    // and a character changed there must not decode to the same signature.
    if (!value.isString() || !decoded || decoded.decoded.size() != size ||
        decoded.decoded.toBase64() != value.toString().toLatin1())
        return std::nullopt;
    return decoded.decoded;
}

} // namespace

std::optional<QJsonObject> CertificateSigner::sign(const QJsonObject& document,
                                                   const CertificateKey::Pair& key,
                                                   QString* error) {
    QJsonObject body = document;
    body.remove(kSignature);
    QString why;
    const auto canonical = CanonicalJson::serialize(body, &why);
    if (!canonical || sodium_init() < 0 || key.secretKey.size() != crypto_sign_SECRETKEYBYTES) {
        if (error)
            *error = canonical ? QCoreApplication::translate("CertificateSigner",
                                                             "the signing key cannot be used")
                               : QCoreApplication::translate("CertificateSigner",
                                                             "the certificate holds %1")
                                     .arg(why);
        return std::nullopt;
    }
    QByteArray signature(crypto_sign_BYTES, '\0');
    crypto_sign_detached(reinterpret_cast<unsigned char*>(signature.data()), nullptr,
                         bytes(*canonical), quint64(canonical->size()), bytes(key.secretKey));
    body.insert(kSignature, QJsonObject{
                                {kAlgorithmName, kAlgorithm},
                                {kPublicKey, QString::fromLatin1(key.publicKey.toBase64())},
                                {kFingerprint, key.fingerprint()},
                                {kValue, QString::fromLatin1(signature.toBase64())},
                            });
    return body;
}

QByteArray CertificateSigner::fileBytes(const QJsonObject& signedDocument) {
    return CanonicalJson::serialize(signedDocument).value_or(QByteArray());
}

QString CertificateSigner::verificationCode(const QByteArray& signature) {
    // Crockford's base32 alphabet: no I, L, O or U to misread.
    static const char* const alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    const QByteArray digest = QCryptographicHash::hash(signature, QCryptographicHash::Sha256);
    quint64 bits = 0;
    for (int i = 0; i < 8; ++i)
        bits = bits << 8 | quint8(digest.at(i));
    QString code;
    for (int i = 0; i < 12; ++i) {
        if (i > 0 && i % 4 == 0)
            code += QLatin1Char('-');
        code += QLatin1Char(alphabet[(bits >> (59 - 5 * i)) & 31]);
    }
    return code;
}

CertificateSigner::Verdict CertificateSigner::verify(const QByteArray& file,
                                                     const QStringList& trusted) {
    Verdict verdict;
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(file, &parsed);
    if (parsed.error != QJsonParseError::NoError || !document.isObject()) {
        verdict.reason =
            parsed.error != QJsonParseError::NoError
                ? QCoreApplication::translate("CertificateSigner",
                                              "not a JSON document (%1 at byte %2)")
                      .arg(parsed.errorString())
                      .arg(parsed.offset)
                : QCoreApplication::translate("CertificateSigner",
                                              "not a certificate: the document is not an object");
        return verdict;
    }
    const QJsonObject whole = document.object();
    const QJsonObject signature = whole.value(kSignature).toObject();
    if (signature.isEmpty()) {
        verdict.reason = QCoreApplication::translate("CertificateSigner",
                                                     "the certificate carries no signature");
        return verdict;
    }
    const auto canonical = CanonicalJson::serialize(whole);
    if (!canonical || *canonical != file) {
        qsizetype at = 0;
        const QByteArray expected = canonical.value_or(QByteArray());
        while (at < file.size() && at < expected.size() && file.at(at) == expected.at(at))
            ++at;
        verdict.reason =
            QCoreApplication::translate("CertificateSigner",
                                        "the file was changed after signing: it is not in the "
                                        "canonical form it was written in (from byte %1)")
                .arg(at);
        return verdict;
    }
    if (signature.value(kAlgorithmName).toString() != kAlgorithm) {
        verdict.reason =
            QCoreApplication::translate("CertificateSigner", "unknown signature algorithm \"%1\"")
                .arg(signature.value(kAlgorithmName).toString());
        return verdict;
    }
    const auto publicKey = strictBase64(signature.value(kPublicKey), crypto_sign_PUBLICKEYBYTES);
    const auto value = strictBase64(signature.value(kValue), crypto_sign_BYTES);
    if (!publicKey || !value) {
        verdict.reason = QCoreApplication::translate(
            "CertificateSigner", "the signature or its public key is malformed");
        return verdict;
    }
    verdict.fingerprint = CertificateKey::fingerprint(*publicKey);
    verdict.code = verificationCode(*value);
    if (signature.value(kFingerprint).toString() != verdict.fingerprint) {
        verdict.reason =
            QCoreApplication::translate("CertificateSigner",
                                        "the key fingerprint %1 does not belong to the public key "
                                        "in the certificate (%2)")
                .arg(signature.value(kFingerprint).toString(), verdict.fingerprint);
        return verdict;
    }
    QJsonObject body = whole;
    body.remove(kSignature);
    const QByteArray signedBytes = CanonicalJson::serialize(body).value_or(QByteArray());
    if (sodium_init() < 0 ||
        crypto_sign_verify_detached(bytes(*value), bytes(signedBytes), quint64(signedBytes.size()),
                                    bytes(*publicKey)) != 0) {
        verdict.reason = QCoreApplication::translate(
            "CertificateSigner", "the signature does not match the content: a field was "
                                 "changed after signing, or the signature was made by "
                                 "another key");
        return verdict;
    }
    if (!trusted.contains(verdict.fingerprint)) {
        verdict.reason = trusted.isEmpty()
                             ? QCoreApplication::translate(
                                   "CertificateSigner",
                                   "signed by key %1, but no trusted key was given to check it "
                                   "against")
                                   .arg(verdict.fingerprint)
                             : QCoreApplication::translate(
                                   "CertificateSigner",
                                   "signed by key %1, which is not a trusted key (trusted: %2)")
                                   .arg(verdict.fingerprint, trusted.join(QStringLiteral(", ")));
        return verdict;
    }
    verdict.valid = true;
    verdict.reason = QCoreApplication::translate("CertificateSigner", "signed by key %1")
                         .arg(verdict.fingerprint);
    return verdict;
}

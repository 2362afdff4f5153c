#pragma once

#include "app/Certificate/CertificateKey.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>

// Signs a certificate and checks one. The signature is Ed25519 over the canonical form
// (CanonicalJson) of the certificate without its "signature" member; that member holds the
// algorithm, the public key, its fingerprint and the signature, and the file is the canonical
// form of the whole, so any byte changed in it is found: as a file that is no longer canonical,
// or as a signature that no longer matches.
class CertificateSigner {
public:
    static inline const QString kSignature = QStringLiteral("signature");
    static inline const QString kAlgorithm = QStringLiteral("Ed25519");

    struct Verdict {
        bool valid = false;
        QString reason;      // why not, or "signed by …" when valid
        QString fingerprint; // the key the certificate names, when it names one
        QString code;        // the short verification code printed on the HTML and PDF forms
    };

    // DOCUMENT with its signature member; none (ERROR says why) when it cannot be signed.
    static std::optional<QJsonObject>
    sign(const QJsonObject& document, const CertificateKey::Pair& key, QString* error = nullptr);
    // The canonical bytes of a signed DOCUMENT, as a certificate file holds them.
    static QByteArray fileBytes(const QJsonObject& signedDocument);
    // Checks the bytes of a certificate file. TRUSTED holds the fingerprints of the keys whose
    // signature counts; a certificate signed by any other key is not valid.
    static Verdict verify(const QByteArray& bytes, const QStringList& trusted);
    // Twelve letters and digits in three groups ("K7QD-M2XA-9PLT") taken from the SHA-256 of the
    // signature: short enough to compare a printed copy with the file it came from.
    static QString verificationCode(const QByteArray& signature);
};

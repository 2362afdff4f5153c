#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The Ed25519 key that signs erasure certificates. It lives in a folder of its own beside the
// history database ("CertificateKey", mode 0700) as "signing.key" (mode 0600), a PKCS#8 PEM file
// as `openssl genpkey -algorithm ed25519` writes it, so an organisation can bring its own key.
// A key file or folder that another user could read or write, that is a link, or that belongs
// to another user is refused: a signature is only worth the secrecy of its key.
class CertificateKey {
public:
    struct Pair {
        QByteArray publicKey; // 32 bytes
        QByteArray secretKey; // 64 bytes (seed and public key, as libsodium keeps it)
        QString fingerprint() const { return CertificateKey::fingerprint(publicKey); }
    };

    static inline const QString kFolderName = QStringLiteral("CertificateKey");
    static inline const QString kFileName = QStringLiteral("signing.key");

    explicit CertificateKey(QString folder);
    // The folder beside the history database the program uses now.
    static QString defaultFolder();

    const QString& folder() const { return m_folder; }
    QString path() const;

    // The key pair; none (with the reason in ERROR) when there is no key or it may not be used.
    std::optional<Pair> load(QString* error = nullptr) const;
    // The key pair, made at first use.
    std::optional<Pair> loadOrCreate(QString* error = nullptr) const;
    // Puts the key PEM (PKCS#8, Ed25519) in place of the present one: refused while a key is
    // there unless REPLACE. The file is written in full before it takes the key's name.
    std::optional<Pair> import(const QByteArray& pem, bool replace, QString* error = nullptr) const;

    // "SHA256:" and the unpadded base64 of the SHA-256 of PUBLICKEY.
    static QString fingerprint(const QByteArray& publicKey);
    // The pair of a PKCS#8 PEM Ed25519 private key; none when PEM is not one.
    static std::optional<Pair> fromPem(const QByteArray& pem);
    static QByteArray toPem(const Pair& pair);

private:
    bool ensureFolder(QString* error) const;
    bool store(const Pair& pair, bool replace, QString* error) const;

    QString m_folder;
};

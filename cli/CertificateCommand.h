#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// `korvane certificate verify FILE... [--trust FINGERPRINT]...`: whether certificate files are
// valid, and why not. A certificate counts only when signed by a trusted key: this
// installation's own signing key, and any key named with --trust.
// `korvane certificate key [show]`: the signing key's fingerprint and public key (made at first
// use). `korvane certificate key import PEMFILE [--force]`: put an organisation's own Ed25519 key
// (PKCS#8 PEM) in place of this installation's; --force replaces one that is there.
class CertificateCommand {
    Q_DECLARE_TR_FUNCTIONS(CertificateCommand)

public:
    // ARGS are the words after "certificate". Exit status: 0 valid / done; 1 invalid or failed;
    // 2 usage.
    static int run(const QStringList& args);

private:
    static int verify(const QStringList& files, const QStringList& trusted);
    static int showKey();
    static int importKey(const QString& file, bool force);
};

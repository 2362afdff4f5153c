#include "cli/CertificateCommand.h"

#include "app/Certificate/CertificateKey.h"
#include "app/Certificate/CertificateSigner.h"
#include "cli/CliBundle.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"

#include <QFile>
#include <cstdio>

namespace {

const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane certificate verify FILE... [--trust FINGERPRINT]...\n"
    "                                     check signed certificates (JSON form); - reads\n"
    "                                     standard input\n"
    "       korvane certificate key [show]   the signing key's fingerprint and public key\n"
    "       korvane certificate key import PEMFILE [--force]\n"
    "                                     use an organisation's own Ed25519 key (PKCS#8 PEM,\n"
    "                                     e.g. from `openssl genpkey -algorithm ed25519`);\n"
    "                                     --force replaces the key that is there\n"
    "A certificate is valid when its file is exactly as signed and the signature is by a\n"
    "trusted key: this installation's key, or one given with --trust (as `certificate key`\n"
    "prints it, \"SHA256:...\").\n"
    "  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n"
    "Exit status: 0 valid (every FILE) or done; 1 not valid or failed; 2 usage error.\n");

void printErr(const QString& text) {
    CliOutput::error(QStringLiteral("certificate"), text);
}

void printOut(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

CertificateKey installationKey() {
    return CertificateKey(CertificateKey::defaultFolder());
}

} // namespace

int CertificateCommand::run(const QStringList& args) {
    CliOptionParser parser(QStringLiteral("certificate"));
    parser.flag({QStringLiteral("force")})
        .valued({QStringLiteral("trust")}, QStringLiteral("FINGERPRINT"))
        .valued({QStringLiteral("bundle")}, QStringLiteral("DIR"));
    if (const auto ended = parser.parseOrEnd(args, kUsage))
        return *ended;
    QStringList words = parser.positional();
    const QString verb = words.isEmpty() ? QString() : words.takeFirst();
    QString error;
    if (!CliBundle::use(parser.value(QStringLiteral("bundle")), &error)) {
        printErr(error);
        return 1;
    }
    if (verb == QLatin1String("verify") && !words.isEmpty())
        return verify(words, parser.values(QStringLiteral("trust")));
    if (verb == QLatin1String("key") && (words.isEmpty() || words == QStringList{"show"}))
        return showKey();
    if (verb == QLatin1String("key") && words.size() == 2 &&
        words.first() == QLatin1String("import"))
        return importKey(words.at(1), parser.isSet(QStringLiteral("force")));
    return parser.usageError(verb.isEmpty()
                                 ? tr("a verb is needed")
                                 : tr("cannot use: %1 %2").arg(verb, words.join(QLatin1Char(' '))),
                             kUsage);
}

int CertificateCommand::verify(const QStringList& files, const QStringList& trustedGiven) {
    QStringList trusted = trustedGiven;
    QString keyProblem;
    if (const auto own = installationKey().load(&keyProblem))
        trusted.prepend(own->fingerprint());
    int status = 0;
    for (const QString& path : files) {
        QFile file;
        const bool opened = path == QLatin1String("-")
                                ? file.open(stdin, QIODevice::ReadOnly)
                                : (file.setFileName(path), file.open(QIODevice::ReadOnly));
        if (!opened) {
            printErr(tr("cannot read %1: %2").arg(path, file.errorString()));
            status = 1;
            continue;
        }
        const auto verdict = CertificateSigner::verify(file.readAll(), trusted);
        if (verdict.valid) {
            printOut(tr("%1: valid, %2; verification code %3")
                         .append(QLatin1Char('\n'))
                         .arg(path, verdict.reason, verdict.code));
        } else {
            printOut(tr("%1: NOT valid: %2").append(QLatin1Char('\n')).arg(path, verdict.reason));
            status = 1;
        }
    }
    if (status != 0 && trustedGiven.isEmpty() && !keyProblem.isEmpty())
        printErr(tr("this installation's key could not be used: %1").arg(keyProblem));
    return status;
}

int CertificateCommand::showKey() {
    const CertificateKey key = installationKey();
    QString error;
    const auto pair = key.loadOrCreate(&error);
    if (!pair) {
        printErr(error);
        return 1;
    }
    printOut(
        //: Keep the three labels lined up.
        tr("fingerprint  %1\npublic key   %2 (Ed25519, base64)\nkey file     %3\n")
            .arg(pair->fingerprint(), QString::fromLatin1(pair->publicKey.toBase64()), key.path()));
    return 0;
}

int CertificateCommand::importKey(const QString& path, bool force) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printErr(tr("cannot read %1: %2").arg(path, file.errorString()));
        return 1;
    }
    const CertificateKey key = installationKey();
    QString error;
    const auto pair = key.import(file.read(16384), force, &error);
    if (!pair) {
        printErr(error + (error.contains(QLatin1String("already"))
                              ? tr(" (add --force to replace it; certificates it signed then "
                                   "verify only with --trust)")
                              : QString()));
        return 1;
    }
    printOut(tr("The signing key is now %1").append(QLatin1Char('\n')).arg(pair->fingerprint()));
    return 0;
}

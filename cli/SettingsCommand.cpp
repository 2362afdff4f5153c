#include "cli/SettingsCommand.h"

#include "app/Certificate/CertificateSettings.h"
#include "cli/CliBundle.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"

#include <cstdio>

namespace {

const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage", "usage: korvane settings [--bundle DIR]            list the certificate fields\n"
                "       korvane settings FIELD                     print one\n"
                "       korvane settings FIELD VALUE               store one (\"\" clears it)\n"
                "FIELD: organisation, operator (who erases), validator (who checks the erasure),\n"
                "location. Each certificate names them as they were when the erasure ran.\n"
                "  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n");

void printOut(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

} // namespace

int SettingsCommand::run(const QStringList& args) {
    CliOptionParser parser(QStringLiteral("settings"));
    parser.valued({QStringLiteral("bundle")}, QStringLiteral("DIR"));
    if (const auto ended = parser.parseOrEnd(args, kUsage))
        return *ended;
    const QStringList words = parser.positional();
    if (words.size() > 2)
        return parser.usageError(tr("too many operands"), kUsage);
    QString error;
    if (!CliBundle::use(parser.value(QStringLiteral("bundle")), &error)) {
        CliOutput::error(QStringLiteral("settings"), error);
        return 1;
    }
    if (!words.isEmpty() && CertificateSettings::storeKey(words.first()).isEmpty())
        return parser.usageError(
            tr("unknown setting \"%1\" (use %2)")
                .arg(words.first(), CertificateSettings::fieldNames().join(QStringLiteral(", "))),
            kUsage);
    if (words.size() == 2) {
        if (!CertificateSettings::write(words.at(0), words.at(1), &error)) {
            CliOutput::error(QStringLiteral("settings"), error);
            return 1;
        }
        return 0;
    }
    const CertificateSettings settings = CertificateSettings::read();
    if (words.size() == 1) {
        printOut(settings.value(words.first()) + QLatin1Char('\n'));
        return 0;
    }
    for (const QString& field : CertificateSettings::fieldNames())
        printOut(QStringLiteral("%1 %2\n").arg(field.leftJustified(13), settings.value(field)));
    return 0;
}

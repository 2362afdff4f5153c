#include "cli/UpdateCommand.h"

#include "cli/CliOptionParser.h"

#include "app/Comm/UpdateCheck.h"
#include "app/Comm/UserDefaults.h"

#include <cstdio>

namespace {
const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane update-check [--address URL]\n"
    "Asks the version file at the address set for the update check (in the About window), or\n"
    "at URL for this check only, whether a newer version is out. URL is not stored. Nothing is\n"
    "downloaded or installed.\n"
    "Exit status: 0 up to date, 3 a newer version is available, 1 the check failed.\n");
}

int UpdateCommand::run(const QStringList& args, const QString& currentVersion) {
    CliOptionParser parser(QStringLiteral("update-check"));
    parser.valued({QStringLiteral("address")}, QStringLiteral("URL"));
    if (const std::optional<int> end = parser.parseOrEnd(args, kUsage))
        return *end;
    if (!parser.positional().isEmpty())
        return parser.usageError(tr("unknown argument '%1'").arg(parser.positional().first()),
                                 kUsage);
    // An address given here is for this run: the stored one is shared with the window and is
    // changed there only.
    const QString address = parser.isSet(QStringLiteral("address"))
                                ? parser.value(QStringLiteral("address"))
                                : UserDefaults::mainProgram().updateCheckAddress();
    const UpdateCheck::Result result =
        UpdateCheck::checkNow(QUrl(address, QUrl::StrictMode), currentVersion);
    std::printf("%s\n", result.message.toLocal8Bit().constData());
    switch (result.answer) {
    case UpdateCheck::Answer::UpToDate:
        return 0;
    case UpdateCheck::Answer::Available:
        return 3;
    case UpdateCheck::Answer::Failed:
        break;
    }
    return 1;
}

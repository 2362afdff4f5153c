#include "cli/UpdateCommand.h"

#include "cli/CliOptionParser.h"

#include "app/Comm/UpdateCheck.h"
#include "app/Comm/UserDefaults.h"

#include <cstdio>

namespace {
const char* const kUsage =
    "usage: korvane update-check [--address URL]\n"
    "Asks the version file at the address set for the update check (or at URL, which is then\n"
    "kept as that address) whether a newer version is out. Nothing is downloaded or installed.\n"
    "Exit status: 0 up to date, 3 a newer version is available, 1 the check failed.\n";
}

int UpdateCommand::run(const QStringList& args, const QString& currentVersion) {
    CliOptionParser parser(QStringLiteral("update-check"));
    parser.valued({QStringLiteral("address")}, QStringLiteral("URL"));
    if (const std::optional<int> end = parser.parseOrEnd(args, kUsage))
        return *end;
    if (!parser.positional().isEmpty())
        return parser.usageError(
            QStringLiteral("unknown argument '%1'").arg(parser.positional().first()), kUsage);
    const bool given = parser.isSet(QStringLiteral("address"));
    QString address = parser.value(QStringLiteral("address"));
    const UserDefaults defaults = UserDefaults::mainProgram();
    if (!given)
        address = defaults.updateCheckAddress();
    const UpdateCheck::Result result =
        UpdateCheck::checkNow(QUrl(address, QUrl::StrictMode), currentVersion);
    if (given && result.answer != UpdateCheck::Answer::Failed)
        defaults.setUpdateCheckAddress(address);
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

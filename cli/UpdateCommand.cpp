#include "cli/UpdateCommand.h"

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
    QString address;
    bool given = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--address") && i + 1 < args.size()) {
            address = args[++i];
            given = true;
        } else if (args[i] == QLatin1String("--help") || args[i] == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "korvane update-check: unknown argument '%s'\n%s",
                         qPrintable(args[i]), kUsage);
            return 2;
        }
    }
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

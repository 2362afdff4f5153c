#include "app/MainEntry.h"

#include "app/Comm/SettingsStore.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"
#include "platform/Translations.h"
#include "platform/UserAccount.h"

#include <QFileInfo>
#include <QProcess>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

bool MainEntry::shouldRunApplication(int argc, const char* const* argv) {
    if (argc < 2 || argv[1] == nullptr)
        return false;
    const char* first = argv[1];
    if (*first == '\0')
        return false;
    // A first argument that is not plain ASCII counts as absent.
    for (const char* c = first; *c; ++c)
        if (static_cast<unsigned char>(*c) > 0x7f)
            return false;
    return true;
}

QString MainEntry::localeArgument(int argc, const char* const* argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (argv[i] == nullptr || argv[i + 1] == nullptr)
            return {};
        if (std::string_view(argv[i]) != "--locale")
            continue;
        const QString name = QString::fromUtf8(argv[i + 1]);
        return Translations::isLocaleName(name) ? name : QString();
    }
    return {};
}

bool MainEntry::startedThroughPkexec() {
    return ::geteuid() == 0 && std::getenv("PKEXEC_UID") != nullptr;
}

void MainEntry::recordInvokingUser() {
    if (::geteuid() != 0)
        return;
    const auto user = UserAccount::invokingUser();
    if (!user || user->uid == 0)
        return;
    const SettingsStore store = SettingsStore::mainStore();
    if (store.value(QStringLiteral("USERNAME")) != user->name &&
        !store.setValue(QStringLiteral("USERNAME"), user->name))
        Logger::log(
            QStringLiteral("Cannot record USERNAME %1 in %2").arg(user->name, store.path()));
}

bool ZZManRunLoader() {
    const QString loader = BundleLocator::loaderExecutablePath();
    if (loader.isEmpty() || !QFileInfo(loader).isExecutable()) {
        Logger::log(QStringLiteral("Cannot find the loader to launch: %1").arg(loader));
        return false;
    }
    return QProcess::startDetached(loader, {});
}

#include "loader/LoaderStartup.h"

#include "app/Comm/SettingsStore.h"
#include "loader/FileManagerActions.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"

#include <QStringDecoder>
#include <sys/stat.h>

LoaderStartup::Decision LoaderStartup::chooseRoad(int argc, const char* const* argv) {
    Decision decision;
    if (argc < 3 || argv == nullptr || argv[1] == nullptr)
        return decision;
    const QByteArray raw(argv[1]);
    if (raw.isEmpty())
        return decision;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString path = decoder.decode(raw);
    if (decoder.hasError())
        return decision;
    struct stat info {};
    if (::stat(raw.constData(), &info) != 0)
        return decision;
    decision.road = Road::ServiceEraser;
    decision.path = path;
    return decision;
}

bool LoaderStartup::recordUserName(const std::optional<UserAccount>& user) {
    if (!user) {
        Logger::log(
            QStringLiteral("No valid user account for this process; USERNAME not recorded"));
        return false;
    }
    const SettingsStore store = SettingsStore::mainStore();
    if (!store.setValue(QStringLiteral("USERNAME"), user->name)) {
        Logger::log(QStringLiteral("Cannot record USERNAME %1 in the settings store %2")
                        .arg(user->name, store.path()));
        return false;
    }
    return true;
}

void LoaderStartup::installFileManagerActions(const std::optional<UserAccount>& user) {
    if (!user)
        return;
    const QString templates = BundleLocator::loaderResource(FileManagerActions::kResourceName,
                                                            FileManagerActions::kResourceType);
    if (templates.isEmpty()) {
        Logger::log(QStringLiteral("File-manager action templates are missing from %1")
                        .arg(BundleLocator::loaderResourcesPath()));
        return;
    }
    const FileManagerActions::Report report =
        FileManagerActions::install(templates, *user, BundleLocator::loaderExecutablePath());
    for (const QString& path : report.created)
        Logger::log(QStringLiteral("Installed file-manager action %1").arg(path));
    for (const QString& reason : report.failed)
        Logger::log(QStringLiteral("File-manager action not installed: %1").arg(reason));
}

int LoaderStartup::run(int argc, const char* const* argv, const Roads& roads) {
    const std::optional<UserAccount> user = UserAccount::invokingUser();
    recordUserName(user);
    installFileManagerActions(user);

    const Decision decision = chooseRoad(argc, argv);
    if (decision.road == Road::ServiceEraser && roads.serviceEraser &&
        roads.serviceEraser(decision.path))
        return 0;
    if (roads.privilegedStart)
        roads.privilegedStart(BundleLocator::mainExecutablePath());
    return 0;
}

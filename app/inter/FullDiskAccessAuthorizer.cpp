#include "app/inter/FullDiskAccessAuthorizer.h"

#include "platform/Logger.h"
#include "platform/UserAccount.h"

#include <QCoreApplication>
#include <QFile>
#include <dirent.h>
#include <mutex>
#include <sys/stat.h>

FullDiskAccessAuthorizer* FullDiskAccessAuthorizer::sharedAuthorizer() {
    static std::once_flag once;
    static FullDiskAccessAuthorizer* shared = nullptr;
    std::call_once(once, [] { shared = new FullDiskAccessAuthorizer; });
    return shared;
}

int FullDiskAccessAuthorizer::authorizationStatus(const QString& home) const {
    QString path = home;
    if (path.isEmpty())
        if (const auto user = UserAccount::invokingUser())
            path = user->home;
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0 ||
        !S_ISDIR(st.st_mode)) {
        Logger::log(QStringLiteral("userHomePath : %1, not there").arg(path));
        return NotDetermined;
    }
    DIR* dir = ::opendir(QFile::encodeName(path).constData());
    const bool listed = dir && ::readdir(dir) != nullptr;
    if (dir)
        ::closedir(dir);
    Logger::log(QStringLiteral("userHomePath : %1, listed: %2").arg(path).arg(listed));
    return listed ? Authorized : Denied;
}

QString FullDiskAccessAuthorizer::requestAuthorizationText() {
    return QCoreApplication::translate(
        "FullDiskAccessAuthorizer",
        "The browser data lies in your home folder, which this program cannot read. If your "
        "home is on a network or encrypted file system, unlock or mount it for this program "
        "(or run it as the user), then scan again.");
}

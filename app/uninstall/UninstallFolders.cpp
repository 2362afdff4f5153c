#include "app/uninstall/UninstallFolders.h"

#include "app/Main/WipeDisk/DiskUtil.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"
#include "platform/UserAccount.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {} // namespace

QString UninstallFolders::downloadFolder(const QString& home) {
    QFile dirs(home + QStringLiteral("/.config/user-dirs.dirs"));
    if (dirs.open(QIODevice::ReadOnly)) {
        static const QRegularExpression line(
            QStringLiteral("^\\s*XDG_DOWNLOAD_DIR\\s*=\\s*\"([^\"]*)\"\\s*$"));
        for (const QByteArray& raw : dirs.readAll().split('\n')) {
            const QRegularExpressionMatch m = line.match(QString::fromUtf8(raw));
            if (!m.hasMatch())
                continue;
            QString value = m.captured(1);
            if (value.startsWith(QLatin1String("$HOME")))
                value = home + value.mid(5);
            // Only a folder inside the home: the file is the user's to write.
            if (value.startsWith(home + QLatin1Char('/')) && !value.contains(QLatin1String("/..")))
                return QDir::cleanPath(value);
        }
    }
    return home + QStringLiteral("/Downloads");
}

UninstallFolders UninstallFolders::load(const QString& plistPath, const QString& home,
                                        const QString& downloads) {
    UninstallFolders folders;
    folders.m_home = home;
    if (folders.m_home.isEmpty()) {
        if (const auto user = UserAccount::invokingUser())
            folders.m_home = user->home;
    }
    const QString path = plistPath.isEmpty()
                             ? BundleLocator::mainResource(QStringLiteral("UninstallerFolders"),
                                                           QStringLiteral("plist"))
                             : plistPath;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        Logger::log(QStringLiteral("the uninstaller's folder list %1 cannot be read").arg(path));
        return folders;
    }
    const QVariantMap map = DiskUtil::parsePlist(file.readAll()).toMap();
    if (map.isEmpty())
        return folders;
    folders.m_valid = true;
    const QString download = downloads.isEmpty() && !folders.m_home.isEmpty()
                                 ? downloadFolder(folders.m_home)
                                 : downloads;
    auto expand = [&](const QStringList& list) {
        QStringList out;
        for (QString f : list) {
            if (f == QLatin1String("$DOWNLOAD"))
                f = download;
            else if (f.startsWith(QLatin1String("~/")))
                f = folders.m_home.isEmpty() ? QString() : folders.m_home + f.mid(1);
            if (!f.isEmpty() && f.startsWith(QLatin1Char('/')))
                out << f;
        }
        return out;
    };
    for (auto it = map.begin(); it != map.end(); ++it) {
        const QVariantMap domains = it.value().toMap();
        if (domains.isEmpty())
            continue;
        folders.m_user.insert(
            it.key(), expand(DiskUtil::plistStrings(domains.value(QStringLiteral("user")))));
        folders.m_local.insert(
            it.key(), expand(DiskUtil::plistStrings(domains.value(QStringLiteral("local")))));
    }
    folders.m_pluginSuffixes = DiskUtil::plistStrings(map.value(QStringLiteral("PluginSuffixes")));
    folders.m_systemPrefixes = DiskUtil::plistStrings(map.value(QStringLiteral("SystemPrefixes")));
    return folders;
}

QStringList UninstallFolders::folders(const QString& kind, Domain domain) const {
    return (domain == Domain::User ? m_user : m_local).value(kind);
}

QStringList UninstallFolders::folders(const QString& kind) const {
    return folders(kind, Domain::User) + folders(kind, Domain::Local);
}

#include "app/inter/BrowserLocator.h"

#include "app/inter/FirefoxProfiles.h"
#include "platform/Logger.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <sys/stat.h>

namespace {

bool isPattern(const QString& component) {
    return component.contains(QLatin1Char('*')) || component.contains(QLatin1Char('?')) ||
           component.contains(QLatin1Char('['));
}

bool isRealFolder(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

BrowserLocator::BrowserLocator(QString name, QString home, uid_t uid)
    : m_name(std::move(name)), m_home(QDir::cleanPath(home)), m_uid(uid) {}

QStringList BrowserLocator::expandPattern(const QString& pattern, const QString& trusted) {
    if (!pattern.startsWith(QLatin1Char('/')) || pattern.contains(QLatin1String("/../")) ||
        pattern.endsWith(QLatin1String("/..")))
        return {};
    const QStringList parts = pattern.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QStringList current{QString()};
    for (int i = 0; i < parts.size(); ++i) {
        const bool last = i == parts.size() - 1;
        QStringList next;
        for (const QString& base : current) {
            const QString folder = base.isEmpty() ? QStringLiteral("/") : base;
            const bool withinTrusted = trusted == base || trusted.startsWith(base + '/');
            if (!base.isEmpty() && !withinTrusted && !isRealFolder(folder))
                continue;
            if (!isPattern(parts[i])) {
                const QString path = base + QLatin1Char('/') + parts[i];
                if (last ? exists(path) : true)
                    next << path;
                continue;
            }
            const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(parts[i]));
            QStringList names = QDir(folder).entryList(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
            for (const QString& name : names)
                if (re.match(name).hasMatch())
                    next << base + QLatin1Char('/') + name;
        }
        current = next;
    }
    // Folders on the way were only assumed: keep what is there.
    QStringList out;
    for (const QString& path : current)
        if (exists(path))
            out << path;
    return out;
}

bool BrowserLocator::ownedByUser(const QString& path) const {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && st.st_uid == m_uid;
}

QList<BrowserProfile> BrowserLocator::profiles(const EraserHistory::Browser& browser) const {
    QList<BrowserProfile> out;
    if (m_home.isEmpty() || m_home == QLatin1String("/"))
        return out;
    for (const EraserHistory::Layout& layout : browser.layouts) {
        const QString cache = EraserHistory::expandUser(layout.cache, m_name, m_home);
        const QString userDataPattern = EraserHistory::expandUser(layout.userData, m_name, m_home);
        for (const QString& userData : expandPattern(userDataPattern, m_home)) {
            if (!isRealFolder(userData) || !userData.startsWith(m_home + QLatin1Char('/')))
                continue;
            const QStringList patterns =
                layout.profiles.isEmpty() ? browser.profiles : layout.profiles;
            QStringList folders;
            if (patterns.contains(QLatin1String("profiles.ini"))) {
                folders = FirefoxProfiles::read(userData, m_home).paths;
            } else {
                for (const QString& p : patterns)
                    if (p != QLatin1String("."))
                        for (const QString& f :
                             expandPattern(userData + QLatin1Char('/') + p, m_home))
                            if (isRealFolder(f))
                                folders << f;
                // The user-data folder is the profile itself (native Opera) only when it holds
                // no profile folders.
                if (folders.isEmpty() && patterns.contains(QLatin1String(".")))
                    folders << userData;
            }
            for (const QString& folder : folders) {
                BrowserProfile profile;
                profile.layout = layout.name;
                profile.userData = userData;
                profile.cache = cache;
                profile.path = folder;
                profile.name = folder == userData ? QStringLiteral(".")
                                                  : QDir(userData).relativeFilePath(folder);
                out << profile;
            }
        }
    }
    return out;
}

QStringList BrowserLocator::locations(const EraserHistory::Kind& kind,
                                      const BrowserProfile& profile, QStringList* skip) const {
    QStringList out;
    for (QString pattern : kind.locations) {
        pattern = EraserHistory::expandUser(pattern, m_name, m_home);
        pattern.replace(QLatin1String("$PROFILENAME"), profile.name)
            .replace(QLatin1String("$PROFILE"), profile.path)
            .replace(QLatin1String("$USERDATA"), profile.userData)
            .replace(QLatin1String("$CACHE"), profile.cache);
        pattern = QDir::cleanPath(pattern);
        for (const QString& path : expandPattern(pattern, m_home)) {
            if (!path.startsWith(m_home + QLatin1Char('/')) || out.contains(path) ||
                (skip && skip->contains(path)))
                continue;
            if (!ownedByUser(path)) {
                Logger::log(
                    QStringLiteral("browser data %1 is not the user's; left alone").arg(path));
                continue;
            }
            out << path;
        }
    }
    if (skip)
        *skip += out;
    return out;
}

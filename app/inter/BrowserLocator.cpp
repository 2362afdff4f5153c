#include "app/inter/BrowserLocator.h"

#include "app/inter/FirefoxProfiles.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <sys/stat.h>

namespace {

bool isPattern(const QString& component) {
    return component.contains(QLatin1Char('*')) || component.contains(QLatin1Char('?')) ||
           component.contains(QLatin1Char('['));
}

bool lstatOf(const QString& path, struct stat* st) {
    return ::lstat(QFile::encodeName(path).constData(), st) == 0;
}

bool isRealFolder(const QString& path) {
    struct stat st {};
    return lstatOf(path, &st) && S_ISDIR(st.st_mode);
}

// The names in FOLDER that PATTERN matches, in name order.
QStringList matching(const QString& folder, const QString& pattern) {
    if (!isPattern(pattern))
        return {pattern};
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern));
    QStringList out;
    for (const QString& name : QDir(folder).entryList(
             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        if (re.match(name).hasMatch())
            out << name;
    return out;
}

} // namespace

BrowserLocator::BrowserLocator(QString name, const QString& home, uid_t uid)
    : m_name(std::move(name)), m_resolver(home, uid) {}

QStringList BrowserLocator::expandPattern(const QString& pattern) {
    if (!pattern.startsWith(QLatin1Char('/')))
        return {};
    const QStringList parts = pattern.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QStringList current{QString()};
    bool patterned = false;
    for (const QString& part : parts) {
        if (part == QLatin1String("..") || part == QLatin1String("."))
            return {};
        QStringList next;
        for (const QString& base : current) {
            // Below a pattern only real folders are entered; the rest is the resolver's to judge.
            if (patterned && !isRealFolder(base))
                continue;
            for (const QString& name : matching(base.isEmpty() ? QStringLiteral("/") : base, part))
                next << base + QLatin1Char('/') + name;
        }
        patterned = patterned || isPattern(part);
        current = next;
    }
    QStringList out;
    for (const QString& path : current) {
        struct stat st {};
        if (lstatOf(path, &st))
            out << path;
    }
    return out;
}

bool BrowserLocator::ownedByUser(const QString& path) const {
    return HomeLinkResolver::ownerOf(path) == m_resolver.uid();
}

QString BrowserLocator::folder(const QString& path, Profiles* out) const {
    const HomeLinkResolver::Result r = m_resolver.resolveFolder(path);
    if (r.refused() && !out->refusals.contains(r.refusal))
        out->refusals << r.refusal;
    return r.path;
}

BrowserLocator::Profiles BrowserLocator::profiles(const EraserHistory::Browser& browser) const {
    Profiles out;
    const QString home = m_resolver.home();
    if (home.isEmpty() || home == QLatin1String("/"))
        return out;
    for (const EraserHistory::Layout& layout : browser.layouts) {
        const QString namedCache = EraserHistory::expandUser(layout.cache, m_name, home);
        const QString pattern = EraserHistory::expandUser(layout.userData, m_name, home);
        for (const QString& namedUserData : expandPattern(pattern)) {
            const QString userData = folder(namedUserData, &out);
            if (userData.isEmpty())
                continue;
            const QString cache = namedCache.isEmpty() ? QString() : folder(namedCache, &out);
            const QStringList patterns =
                layout.profiles.isEmpty() ? browser.profiles : layout.profiles;
            if (patterns.contains(QLatin1String("profiles.ini")))
                addFirefoxProfiles(layout.name, namedUserData, userData, namedCache, cache, &out);
            else
                addChromiumProfiles(browser, layout, userData, cache, &out);
        }
    }
    // Two layouts may lead to one folder (a link between them): each profile once.
    QList<BrowserProfile> unique;
    QStringList seen;
    for (const BrowserProfile& p : out.profiles)
        if (!seen.contains(p.path)) {
            seen << p.path;
            unique << p;
        }
    out.profiles = unique;
    return out;
}

void BrowserLocator::addChromiumProfiles(const EraserHistory::Browser& browser,
                                         const EraserHistory::Layout& layout,
                                         const QString& userData, const QString& cache,
                                         Profiles* out) const {
    const QStringList patterns = layout.profiles.isEmpty() ? browser.profiles : layout.profiles;
    int found = 0;
    for (const QString& p : patterns) {
        if (p == QLatin1String(".") || p.contains(QLatin1Char('/')))
            continue;
        for (const QString& name : matching(userData, p)) {
            const QString path = folder(userData + QLatin1Char('/') + name, out);
            if (path.isEmpty())
                continue;
            BrowserProfile profile{layout.name, userData, cache, name, path, QString()};
            // The browser puts a profile's cache under the cache folder by the profile's name.
            if (!cache.isEmpty())
                profile.profileCache = folder(cache + QLatin1Char('/') + name, out);
            out->profiles << profile;
            ++found;
        }
    }
    // The user-data folder is the profile itself (native Opera) only when it holds no profile
    // folders.
    if (found == 0 && patterns.contains(QLatin1String(".")))
        out->profiles << BrowserProfile{layout.name,         userData, cache,
                                        QStringLiteral("."), userData, cache};
}

void BrowserLocator::addFirefoxProfiles(const QString& layout, const QString& namedUserData,
                                        const QString& userData, const QString& namedCache,
                                        const QString& cache, Profiles* out) const {
    for (const QString& named : FirefoxProfiles::read(namedUserData)) {
        const QString path = folder(named, out);
        if (path.isEmpty())
            continue;
        BrowserProfile profile{layout, userData, cache, named, path, QString()};
        // Firefox keeps the cache of a profile inside its profiles folder under the cache
        // folder by the same relative path; a profile elsewhere keeps its cache in itself.
        if (named.startsWith(namedUserData + QLatin1Char('/'))) {
            profile.name = named.mid(namedUserData.size() + 1);
            if (!namedCache.isEmpty())
                profile.profileCache = folder(namedCache + QLatin1Char('/') + profile.name, out);
        } else {
            profile.profileCache = path;
        }
        out->profiles << profile;
    }
}

QList<BrowserLocator::Place> BrowserLocator::places(const EraserHistory::Location& location,
                                                    const BrowserProfile& profile) const {
    QString rootName;
    QStringList rest;
    if (!EraserHistory::splitLocation(location.path, &rootName, &rest))
        return {};
    const QString root = rootName == QLatin1String("$PROFILE")    ? profile.path
                         : rootName == QLatin1String("$USERDATA") ? profile.userData
                         : rootName == QLatin1String("$CACHE")    ? profile.cache
                                                                  : profile.profileCache;
    if (root.isEmpty())
        return {};
    QList<Place> out;
    QStringList current{root};
    for (int i = 0; i < rest.size(); ++i) {
        const bool last = i == rest.size() - 1;
        QStringList next;
        for (const QString& base : current)
            for (const QString& name : matching(base, rest[i])) {
                const QString path = base + QLatin1Char('/') + name;
                struct stat st {};
                if (!lstatOf(path, &st))
                    continue;
                if (!last && S_ISLNK(st.st_mode)) {
                    out << Place{path, root,
                                 QStringLiteral("a link inside the browser's data: not followed")};
                    continue;
                }
                if (last || S_ISDIR(st.st_mode))
                    next << path;
            }
        current = next;
    }
    for (const QString& path : current) {
        // A location that is a folder as a whole (a cache folder) is checked again from the
        // folder that holds it.
        Place place{path, path == root ? root.left(root.lastIndexOf(QLatin1Char('/'))) : root,
                    QString()};
        for (const QString& kept : m_protected)
            if (kept == path || kept.startsWith(path + QLatin1Char('/'))) {
                place.problem = QStringLiteral("holds %1, which is no data to remove: refused")
                                    .arg(m_resolver.shown(kept));
                break;
            }
        const uid_t owner = HomeLinkResolver::ownerOf(path);
        if (place.problem.isEmpty() && owner != m_resolver.uid())
            place.problem =
                QStringLiteral("belongs to another user (uid %1), not to %2: left alone")
                    .arg(owner)
                    .arg(m_name);
        out << place;
    }
    return out;
}

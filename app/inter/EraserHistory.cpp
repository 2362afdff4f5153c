#include "app/inter/EraserHistory.h"

#include "app/Main/WipeDisk/DiskUtil.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"
#include "platform/UserAccount.h"

#include <QFile>
#include <QVariantMap>

namespace {

// The top-level key that holds the kinds each family of browsers shares; every other key is a
// browser.
const QString kFamilies = QStringLiteral("Families");

// The order the kinds are shown in, whatever their order in the file.
const QStringList kKindOrder = {
    QStringLiteral("Browsing History"),  QStringLiteral("Download History"),
    QStringLiteral("Downloads History"), QStringLiteral("Cookies"),
    QStringLiteral("Save Password"),     QStringLiteral("Form Values"),
    QStringLiteral("Session"),           QStringLiteral("Caches")};

// The order of the browsers in the file: the plist parser gives a map, which sorts them.
QStringList keyOrder(const QByteArray& xml, const QStringList& keys) {
    QList<std::pair<qsizetype, QString>> found;
    for (const QString& key : keys)
        found.append({xml.indexOf("<key>" + key.toUtf8() + "</key>"), key});
    std::sort(found.begin(), found.end());
    QStringList out;
    for (const auto& [at, key] : found)
        out << key;
    return out;
}

// A statement is its SQL, or a dictionary with SQL and the optional table IfTable.
EraserHistory::Statement statementOf(const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return {value.toString(), {}};
    const QVariantMap map = value.toMap();
    return {map.value(QStringLiteral("SQL")).toString(),
            map.value(QStringLiteral("IfTable")).toString()};
}

// A location is a path (files to erase), or a dictionary with Path and the statements that
// count (Count, Check) and remove (Delete) the rows of a database there.
bool locationOf(const QVariant& value, EraserHistory::Location* location) {
    if (value.typeId() == QMetaType::QString) {
        location->path = value.toString();
    } else {
        const QVariantMap map = value.toMap();
        location->path = map.value(QStringLiteral("Path")).toString();
        location->database = true;
        location->count = statementOf(map.value(QStringLiteral("Count")));
        location->check = statementOf(map.value(QStringLiteral("Check")));
        for (const QVariant& s : map.value(QStringLiteral("Delete")).toList())
            location->deletes << statementOf(s);
        if (location->deletes.isEmpty())
            return false;
        for (const EraserHistory::Statement& s : location->deletes)
            if (s.sql.trimmed().isEmpty())
                return false;
    }
    QString root;
    QStringList rest;
    if (!EraserHistory::splitLocation(location->path, &root, &rest))
        return false;
    // A profile or user-data folder is never a kind's location as a whole: only what is in it.
    return !rest.isEmpty() || root == QLatin1String("$PROFILECACHE") ||
           root == QLatin1String("$CACHE");
}

QList<EraserHistory::Kind> kindsOf(const QVariantMap& kinds, const QString& owner,
                                   QStringList* rejected) {
    QStringList names;
    for (const QString& kind : kKindOrder)
        if (kinds.contains(kind))
            names << kind;
    for (auto it = kinds.begin(); it != kinds.end(); ++it)
        if (!kKindOrder.contains(it.key()))
            names << it.key();
    QList<EraserHistory::Kind> out;
    for (const QString& name : names) {
        EraserHistory::Kind kind{name, {}};
        for (const QVariant& value : kinds.value(name).toList()) {
            EraserHistory::Location location;
            if (locationOf(value, &location)) {
                kind.locations << location;
            } else {
                *rejected << QStringLiteral("%1, %2: %3").arg(owner, name, location.path);
                Logger::log(QStringLiteral("browser data list: %1, %2: location %3 is not allowed;"
                                           " left out")
                                .arg(owner, name, location.path));
            }
        }
        out << kind;
    }
    return out;
}

} // namespace

bool EraserHistory::splitLocation(const QString& location, QString* root, QStringList* rest) {
    for (const QString& r : kRoots) {
        if (!location.startsWith(r))
            continue;
        const QString tail = location.mid(r.size());
        if (!tail.isEmpty() && !tail.startsWith(QLatin1Char('/')))
            continue; // "$PROFILECACHE" is not "$PROFILE" followed by "CACHE"
        const QStringList parts = tail.mid(1).split(QLatin1Char('/'));
        if (tail.isEmpty()) {
            *root = r;
            rest->clear();
            return true;
        }
        for (const QString& part : parts)
            if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") ||
                part.contains(QLatin1Char('$')))
                return false;
        *root = r;
        *rest = parts;
        return true;
    }
    return false;
}

EraserHistory EraserHistory::load(const QString& plistPath) {
    EraserHistory history;
    const QString path =
        plistPath.isEmpty()
            ? BundleLocator::mainResource(QStringLiteral("EraserHistory"), QStringLiteral("plist"))
            : plistPath;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        Logger::log(QStringLiteral("the browser data list %1 cannot be read").arg(path));
        return history;
    }
    const QByteArray xml = file.readAll();
    const QVariantMap map = DiskUtil::parsePlist(xml).toMap();
    const QVariantMap families = map.value(kFamilies).toMap();
    for (const QString& name : keyOrder(xml, map.keys())) {
        const QVariantMap entry = map.value(name).toMap();
        if (name == kFamilies || entry.isEmpty())
            continue;
        Browser browser;
        browser.name = name;
        browser.family = entry.value(QStringLiteral("Family")).toString();
        browser.appNames = DiskUtil::plistStrings(entry.value(QStringLiteral("Applications")));
        browser.profiles = DiskUtil::plistStrings(entry.value(QStringLiteral("Profiles")));
        for (const QVariant& v : entry.value(QStringLiteral("Layouts")).toList()) {
            const QVariantMap l = v.toMap();
            Layout layout{l.value(QStringLiteral("Name")).toString(),
                          l.value(QStringLiteral("UserData")).toString(),
                          l.value(QStringLiteral("Cache")).toString(),
                          DiskUtil::plistStrings(l.value(QStringLiteral("Profiles")))};
            if (!layout.userData.isEmpty())
                browser.layouts << layout;
        }
        const QVariantMap own = entry.value(QStringLiteral("Kinds")).toMap();
        const QVariantMap kinds =
            !own.isEmpty()
                ? own
                : families.value(browser.family).toMap().value(QStringLiteral("Kinds")).toMap();
        browser.kinds = kindsOf(kinds, name, &history.m_rejected);
        history.m_browsers << browser;
    }
    history.m_valid = !history.m_browsers.isEmpty();
    return history;
}

const EraserHistory::Browser* EraserHistory::browser(const QString& name) const {
    for (const Browser& b : m_browsers)
        if (b.name == name)
            return &b;
    return nullptr;
}

QString EraserHistory::expandUser(const QString& pattern, const QString& name,
                                  const QString& home) {
    if (!UserAccount::isAcceptableName(name.toUtf8()) || !home.startsWith(QLatin1Char('/')))
        return {};
    QString out = pattern;
    if (out.startsWith(QLatin1String("~%@")))
        out = home + out.mid(3);
    out.replace(QLatin1String("%@"), name);
    return out;
}

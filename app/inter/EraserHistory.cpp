#include "app/inter/EraserHistory.h"

#include "app/Main/WipeDisk/DiskUtil.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"
#include "platform/UserAccount.h"

#include <QFile>
#include <QVariantMap>

namespace {

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

} // namespace

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
    for (const QString& name : keyOrder(xml, map.keys())) {
        const QVariantMap entry = map.value(name).toMap();
        if (entry.isEmpty())
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
        const QVariantMap kinds = entry.value(QStringLiteral("Kinds")).toMap();
        for (const QString& kind : kKindOrder)
            if (kinds.contains(kind))
                browser.kinds << Kind{kind, DiskUtil::plistStrings(kinds.value(kind))};
        for (auto it = kinds.begin(); it != kinds.end(); ++it)
            if (!kKindOrder.contains(it.key()))
                browser.kinds << Kind{it.key(), DiskUtil::plistStrings(it.value())};
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

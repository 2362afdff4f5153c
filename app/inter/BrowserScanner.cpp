#include "app/inter/BrowserScanner.h"

#include "app/Comm/FileTreeSize.h"
#include "app/inter/BrowserLocator.h"
#include "app/inter/ToGetDB.h"
#include "app/uninstall/DesktopEntry.h"

#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace {

// The families whose data this system can hold; WebKit's browser lives elsewhere only.
bool readHere(const EraserHistory::Browser& rule) {
    return rule.family == QLatin1String("Chromium") || rule.family == QLatin1String("Firefox");
}

} // namespace

BrowserScanner::BrowserScanner(Options options) : m_options(std::move(options)) {
    if (!m_options.database)
        m_options.database = ToGetDB::returnToGetDB();
}

const EraserHistory::Browser* BrowserScanner::browserForApplication(const QString& name) const {
    for (const EraserHistory::Browser& rule : m_options.history.browsers())
        for (const QString& app : rule.appNames) {
            const QRegularExpression word(
                QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(app)));
            if (word.match(name).hasMatch())
                return &rule;
        }
    return nullptr;
}

QList<BrowerObjPtr> BrowserScanner::scan() const {
    m_unreadable.clear();
    // Installed applications first, in the folders' order; the first entry of a browser wins.
    QHash<QString, QString> icons;
    QStringList byApplication;
    for (const QString& folder : m_options.applicationFolders) {
        QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            DesktopEntry entry;
            if (!DesktopEntry::read(path, entry) || !entry.isApplication())
                continue;
            const EraserHistory::Browser* rule = browserForApplication(entry.name);
            if (rule && !byApplication.contains(rule->name)) {
                byApplication << rule->name;
                icons.insert(rule->name, entry.icon);
            }
        }
    }
    BrowserLocator locator(m_options.userName, m_options.home, m_options.uid);
    // Every browser's profiles first: no kind of one browser may remove a profile or user-data
    // folder of any browser.
    QList<std::pair<const EraserHistory::Browser*, BrowserLocator::Profiles>> found;
    QStringList kept{locator.resolver().home()};
    for (const EraserHistory::Browser& rule : m_options.history.browsers()) {
        if (!readHere(rule))
            continue;
        found.append({&rule, locator.profiles(rule)});
        for (const BrowserProfile& p : found.last().second.profiles)
            kept << p.path << p.userData;
    }
    kept.removeDuplicates();
    locator.setProtectedFolders(kept);
    QList<BrowerObjPtr> out;
    for (const auto& [rule, profiles] : found) {
        BrowerObjPtr browser = build(*rule, locator, profiles, icons.value(rule->name),
                                     byApplication.contains(rule->name));
        if (browser->foundByApplication || !browser->profiles.isEmpty() ||
            !browser->refusals.isEmpty())
            out << browser;
    }
    return out;
}

BrowerObjPtr BrowserScanner::build(const EraserHistory::Browser& rule,
                                   const BrowserLocator& locator,
                                   const BrowserLocator::Profiles& found, const QString& icon,
                                   bool byApplication) const {
    auto browser = std::make_shared<BrowerObj>();
    browser->name = rule.name;
    browser->family = rule.family;
    browser->iconImage = icon;
    browser->foundByApplication = byApplication;
    browser->profiles = found.profiles;
    browser->refusals = found.refusals;
    for (const EraserHistory::Kind& kindRule : rule.kinds) {
        auto kind = std::make_shared<BrowerObj>();
        kind->name = kindRule.name;
        kind->iconImage = BrowerObj::pictureOf(kindRule.name);
        kind->parObj = browser.get();
        // Saved passwords are what a user least expects to lose: chosen only on purpose.
        kind->isSelect = kindRule.name != QLatin1String("Save Password");
        kind->storage = BrowerObj::Storage::Files;
        for (const EraserHistory::Location& location : kindRule.locations)
            if (location.database && !location.count.sql.isEmpty())
                kind->storage = BrowerObj::Storage::Database;
        if (!kindRule.locations.isEmpty())
            kind->urlStr = kindRule.locations.first().path;
        // The same file may be two kinds (history and downloads), never twice one kind: caches
        // of the whole user-data folder are named by its first profile only.
        QStringList claimedHere;
        for (const BrowserProfile& profile : browser->profiles)
            for (const EraserHistory::Location& location : kindRule.locations)
                for (const BrowserLocator::Place& place : locator.places(location, profile)) {
                    if (claimedHere.contains(place.path))
                        continue;
                    claimedHere << place.path;
                    BrowerObj::Target target;
                    target.path = place.path;
                    target.root = place.root;
                    target.profile = QStringLiteral("%1: %2").arg(profile.layout, profile.path);
                    target.rule = location;
                    if (!place.problem.isEmpty()) {
                        target.refused = true;
                        target.known = false;
                        target.problem = place.problem;
                    }
                    kind->targets << target;
                }
        measure(*kind);
        browser->chrArr << kind;
    }
    browser->refreshSize();
    return browser;
}

void BrowserScanner::measure(BrowerObj& kind) const {
    for (BrowerObj::Target& target : kind.targets) {
        if (target.state == BrowerObj::State::Cleaned || target.refused)
            continue;
        if (target.rule.database) {
            const EraserHistory::Statement& statement =
                target.rule.count.sql.isEmpty() ? target.rule.check : target.rule.count;
            ToGetDB::Outcome counted;
            if (m_unreadable.contains(target.path))
                counted.error = m_unreadable.value(target.path);
            else
                counted = m_options.database->count(target.path, statement, m_options.keptCookies);
            if (counted.fileUnreadable)
                m_unreadable.insert(target.path, counted.error);
            target.count = counted.count;
            target.known = counted.ok;
            target.problem = counted.ok ? QString() : counted.error;
        } else {
            target.bytes = FileTreeSize::of(QFile::encodeName(target.path));
        }
    }
    kind.refreshSize();
}

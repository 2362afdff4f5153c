#include "app/inter/BrowserScanner.h"

#include "app/Comm/FileTreeSize.h"
#include "app/inter/BrowserLocator.h"
#include "app/inter/BrowserStatements.h"
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
    QList<BrowerObjPtr> out;
    for (const EraserHistory::Browser& rule : m_options.history.browsers()) {
        if (!readHere(rule))
            continue;
        BrowerObjPtr browser =
            build(rule, icons.value(rule.name), byApplication.contains(rule.name));
        if (browser->foundByApplication || !browser->profiles.isEmpty())
            out << browser;
    }
    return out;
}

BrowerObjPtr BrowserScanner::build(const EraserHistory::Browser& rule, const QString& icon,
                                   bool byApplication) const {
    const BrowserLocator locator(m_options.userName, m_options.home, m_options.uid);
    auto browser = std::make_shared<BrowerObj>();
    browser->name = rule.name;
    browser->family = rule.family;
    browser->iconImage = icon;
    browser->foundByApplication = byApplication;
    browser->profiles = locator.profiles(rule);
    for (const EraserHistory::Kind& kindRule : rule.kinds) {
        auto kind = std::make_shared<BrowerObj>();
        kind->name = kindRule.name;
        kind->iconImage = BrowerObj::pictureOf(kindRule.name);
        kind->urlStr = kindRule.locations.value(0);
        kind->parObj = browser.get();
        kind->storage = BrowserStatements::find(rule.name, kindRule.name)
                            ? BrowerObj::Storage::Database
                            : BrowerObj::Storage::Files;
        // The same file may be two kinds (history and downloads), never twice one kind.
        QStringList claimedHere;
        for (const BrowserProfile& profile : browser->profiles)
            for (const QString& path : locator.locations(kindRule, profile, &claimedHere)) {
                BrowerObj::Target target;
                target.path = path;
                target.profile = QStringLiteral("%1: %2").arg(profile.layout, profile.path);
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
        if (target.state == BrowerObj::State::Cleaned)
            continue;
        if (kind.storage == BrowerObj::Storage::Database) {
            const ToGetDB::Outcome counted =
                m_options.database->countKind(kind.parObj->name, kind.name, target.path);
            target.count = counted.count;
            target.problem = counted.ok ? QString() : counted.error;
        } else {
            target.bytes = FileTreeSize::of(QFile::encodeName(target.path));
        }
    }
    kind.refreshSize();
}

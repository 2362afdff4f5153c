#pragma once

#include "app/inter/BrowerObj.h"
#include "app/inter/BrowserLocator.h"
#include "app/inter/CookieKeepList.h"
#include "app/inter/EraserHistory.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <sys/types.h>

class ToGetDB;

// The cleaner's scan: the browsers on the machine and what each keeps, counted. A browser is
// found by an installed application whose name names it (the desktop entries of the
// uninstaller's application folders), and also by its data alone when no entry names it (a
// portable install, or one removed with its data left). Runs on any thread; touches no view.
class BrowserScanner {
public:
    struct Options {
        EraserHistory history;
        QString userName; // an account the account database knows
        QString home;     // its home
        uid_t uid = 0;    // who owns the data
        QStringList applicationFolders;
        ToGetDB* database = nullptr; // null: the shared one
        CookieKeepList keptCookies;  // cookies of these sites are not counted (they stay)
    };
    explicit BrowserScanner(Options options);

    QList<BrowerObjPtr> scan() const;
    // Fills the targets of KIND with what is there now (entries or bytes) and its size text.
    void measure(BrowerObj& kind) const;

    // The rule whose application name NAME contains as a word; null when none.
    const EraserHistory::Browser* browserForApplication(const QString& name) const;

private:
    BrowerObjPtr build(const EraserHistory::Browser& rule, const BrowserLocator& locator,
                       const BrowserLocator::Profiles& found, const QString& icon,
                       bool byApplication) const;

    Options m_options;
    // Files that could not be opened during this scan, with why: a locked file is waited for
    // once, not once per statement.
    mutable QHash<QString, QString> m_unreadable;
};

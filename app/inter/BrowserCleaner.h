#pragma once

#include "app/inter/BrowerObj.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <sys/types.h>

class ToGetDB;

// Removes the selected data kinds of the selected browsers: database kinds by their statements
// (ToGetDB), file kinds through the safe walk (a link is removed as a link, no mount is
// entered). A browser that is running is not touched: its databases are in use and it would
// write its files again. A kind is cleaned only when everything of it was; what failed keeps
// its count and says why.
class BrowserCleaner {
public:
    struct Summary {
        int cleanedKinds = 0;
        int failedKinds = 0;
        QStringList problems; // "Browser, Kind: path: why"
        QStringList running;  // browsers left alone because they run
        bool allCleaned() const { return failedKinds == 0 && running.isEmpty(); }
    };

    // UID: the user whose browsers they are (for the running check).
    explicit BrowserCleaner(uid_t uid, ToGetDB* database = nullptr);

    Summary clean(const QList<BrowerObjPtr>& browsers) const;
    // One kind, whether or not its browser runs; true when all of it is gone.
    bool cleanKind(BrowerObj& kind) const;

private:
    uid_t m_uid;
    ToGetDB* m_database;
};

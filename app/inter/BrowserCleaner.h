#pragma once

#include "app/inter/BrowerObj.h"
#include "app/inter/BrowserFileEraser.h"
#include "app/inter/CookieKeepList.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <sys/types.h>

class ToGetDB;

// Removes the selected data kinds of the selected browsers: database kinds by their statements
// (ToGetDB, which leaves no removed row on the device), file kinds by erasing them (overwritten,
// then removed). Right before anything is touched, each target is checked again to lie below
// its profile's folder with no link on the way and to belong to the user. A browser that is
// running is not touched: its databases are in use and it would write its files again. A kind
// is cleaned only when everything of it was; what failed keeps its count and says why, and what
// could not be reached (a link out of the home, another user's file) makes the run fail too.
class BrowserCleaner {
public:
    struct Summary {
        int cleanedKinds = 0;
        int failedKinds = 0;
        QStringList problems;     // "Browser, Kind: path: why"
        QStringList running;      // browsers left alone because they run
        QStringList refused;      // "Browser: folder not followed, why"
        bool copyOnWrite = false; // erased files lay on a copy-on-write volume
        bool solidState = false;  // or on solid-state storage
        QStringList notReached;   // browsers not begun because a stop was asked for
        bool allCleaned() const {
            return failedKinds == 0 && running.isEmpty() && refused.isEmpty() &&
                   notReached.isEmpty();
        }
    };
    using FileEraser = std::function<BrowserFileEraser::Result(const QStringList& paths)>;

    // UID: the user whose browsers they are. ERASER: how files are erased (the erasure job).
    explicit BrowserCleaner(uid_t uid, ToGetDB* database = nullptr, FileEraser eraser = {});

    void setKeptCookies(const CookieKeepList& kept) { m_kept = kept; }
    // Once STOP is set, the browser under way is finished and the others are not begun.
    void setStopRequest(const std::atomic_bool* stop) { m_stop = stop; }

    Summary clean(const QList<BrowerObjPtr>& browsers) const;
    // One kind, whether or not its browser runs; true when all of it is gone.
    bool cleanKind(BrowerObj& kind) const;

    // What overwriting in place cannot reach, said after every clean.
    static QString freeSpaceNote(const Summary& summary);

private:
    // Cleans the targets of KINDS; the files of all of them go to one erasure.
    void cleanKinds(const QList<BrowerObj*>& kinds, Summary* summary) const;

    // Files that could not be opened during this clean, with why: a locked file is waited for
    // once, not once per kind.
    mutable QHash<QString, QString> m_unreadable;

    uid_t m_uid;
    ToGetDB* m_database;
    FileEraser m_eraser;
    CookieKeepList m_kept;
    const std::atomic_bool* m_stop = nullptr;
};

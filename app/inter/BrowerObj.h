#pragma once

#include "app/inter/BrowserProfile.h"
#include "app/inter/EraserHistory.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class BrowerObj;
using BrowerObjPtr = std::shared_ptr<BrowerObj>;

// One row of the internet cleaner: a browser, or one data kind of a browser. A data kind holds
// what was found of it in every profile (its targets: databases, or files and folders), and
// after a clean what became of each.
class BrowerObj {
public:
    // What a kind's size column counts: database entries, or bytes of files.
    enum class Storage { Database, Files };
    enum class State { Found, Cleaned, Failed };

    struct Target {
        QString path;
        QString root;    // the profile's folder it lies below, checked again before removal
        QString profile; // "layout: profile folder"
        EraserHistory::Location rule; // how it is removed: statements, or erased as files
        qint64 count = 0;             // databases: entries (shown when the rule has a Count)
        quint64 bytes = 0;            // files: size
        bool known = true;            // the count or size could be read
        bool refused = false;         // found, but not the cleaner's to touch (problem says why)
        State state = State::Found;
        QString problem; // why it could not be read or cleaned
    };

    QString name;      // browser or data-kind name
    QString iconImage; // browser: its icon name; kind: its picture
    QString urlStr;    // kind: its first location as the data file writes it
    QString size;      // what the size column shows
    bool isSelect = true;
    BrowerObj* parObj = nullptr; // kind: its browser
    QList<BrowerObjPtr> chrArr;  // browser: its kinds

    // Browser only.
    QString family;
    QList<BrowserProfile> profiles;
    QStringList refusals;            // folders of its data that were not followed, with why
    bool foundByApplication = false; // a desktop entry names it (else only its data was found)
    // Kind only.
    Storage storage = Storage::Files;
    QList<Target> targets;

    bool isBrowser() const { return parObj == nullptr; }
    qint64 totalCount() const;
    quint64 totalBytes() const;
    // Kind: something of it could not be read, so its size is not known.
    bool unknown() const;
    // The size text from the targets: "%d Items", "%d Item", "0 Item"; a size, "0 byte";
    // "unknown" when something of it could not be read.
    QString sizeText() const;
    void refreshSize() { size = sizeText(); }
    // The same in the user's language, for the window: "3 items, 1.20 MB", "0 bytes",
    // "unknown". SIZE stays as it is: the command line's JSON gives it.
    QString shownSize() const;
    // Targets that could not be read or cleaned, as "path: why".
    QStringList problems() const;
    // Kind: every target cleaned (a kind with nothing in it counts as clean).
    bool allCleaned() const;

    // The picture of a data kind.
    static QString pictureOf(const QString& kind);

    static inline const QString kUnknown = QStringLiteral("unknown");
};

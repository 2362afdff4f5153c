#pragma once

#include "app/inter/BrowserProfile.h"

#include <QList>
#include <QString>
#include <memory>

class BrowerObj;
using BrowerObjPtr = std::shared_ptr<BrowerObj>;

// One row of the internet cleaner: a browser, or one data kind of a browser. A data kind holds
// what was found of it in every profile (its targets: databases, or files and folders), and
// after a clean what became of each.
class BrowerObj {
public:
    enum class Storage { Database, Files };
    enum class State { Found, Cleaned, Failed };

    struct Target {
        QString path;
        QString profile;   // "layout: profile folder"
        qint64 count = 0;  // database kinds: entries
        quint64 bytes = 0; // file kinds: size
        State state = State::Found;
        QString problem; // why it could not be read or cleaned
    };

    QString name;      // browser or data-kind name
    QString iconImage; // browser: its icon name; kind: its picture
    QString urlStr;    // kind: the location as the data file writes it ("%@": the user)
    QString size;      // what the size column shows
    bool isSelect = true;
    BrowerObj* parObj = nullptr; // kind: its browser
    QList<BrowerObjPtr> chrArr;  // browser: its kinds

    // Browser only.
    QString family;
    QList<BrowserProfile> profiles;
    bool foundByApplication = false; // a desktop entry names it (else only its data was found)
    // Kind only.
    Storage storage = Storage::Files;
    QList<Target> targets;

    bool isBrowser() const { return parObj == nullptr; }
    qint64 totalCount() const;
    quint64 totalBytes() const;
    // The size text from the targets: "%d Items", "%d Item", "0 Item"; a size, "0 byte".
    QString sizeText() const;
    void refreshSize() { size = sizeText(); }
    // Targets that could not be read or cleaned, as "path: why".
    QStringList problems() const;
    // Kind: every target cleaned (a kind with nothing in it counts as clean).
    bool allCleaned() const;

    // The picture of a data kind.
    static QString pictureOf(const QString& kind);
};

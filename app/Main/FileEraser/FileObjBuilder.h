#pragma once

#include "app/Main/FileEraser/FileObj.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>

// Builds erase items and expands chosen folders into the work list of the deletion task, for the
// file-eraser module, the loader's window and the command line alike.
//
// Expansion never follows a symbolic link (a link becomes an item of its own, removed as a link)
// and never enters another mounted file system: a folder on which something else is mounted is
// listed as an item but not entered, so it stays non-empty and its removal fails rather than
// reaching into the other volume. It walks with an explicit stack, so deep trees cannot exhaust
// the call stack.
class FileObjBuilder {
public:
    // Answers whether PATH lies on a solid-state device.
    using SolidStateTest = std::function<bool(const QString& path)>;

    // TEST fills the solid-state flag (by default the medium check of the device under the
    // path; an empty test flags nothing). It is asked once per file system and the answer reused
    // for every item on it.
    explicit FileObjBuilder(SolidStateTest test = systemSolidStateTest());
    // The medium check of the device under a path, through sysfs.
    static SolidStateTest systemSolidStateTest();

    // A top-level item for PATH as the user chose it: a folder gets size 0, a file the size from
    // its own attributes (a link's own size, never its target's). Null when PATH does not exist.
    FileObjPtr addFileToArr(const QString& path);
    // An item for an entry found inside a chosen folder: the size always from its attributes.
    FileObjPtr buildFileObj(const QString& path, bool isDir);

    // The work list for the chosen items, in order: a folder (other than an application bundle,
    // a path ending in ".app") is preceded by all of its content, depth first, every folder after
    // everything inside it. Unselected items are left out.
    QList<FileObjPtr> buildWorkList(const QList<FileObjPtr>& chosen);
    // Appends the content of FOLDER (not the folder itself) to OUT, depth first.
    void appendContents(const QString& folder, QList<FileObjPtr>& out);

private:
    FileObjPtr makeItem(const QString& path, bool isDir, qint64 size, bool isLink, quint64 device);
    bool solidState(const QString& path, quint64 device);

    SolidStateTest m_check;
    QHash<quint64, bool> m_solidStateByDevice;
};

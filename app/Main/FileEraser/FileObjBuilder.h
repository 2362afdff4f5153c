#pragma once

#include "app/Main/FileEraser/FileObj.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>

// Builds erase items and expands chosen folders into the work list of the deletion task, for
// every front end alike.
//
// Expansion is the shared walk (SafeWalk): it never follows a symbolic link (a link becomes an
// item of its own, removed as a link), never enters another mount, a bind mount of the same
// file system included (the mount point becomes an item that the tool leaves standing), works
// from folder descriptors so depth beyond PATH_MAX is no obstacle, and keeps every name's exact
// bytes (`nativeUrl`; `url` shows them).
//
// What is asked per file system (solid state, copy-on-write) is asked once for each chosen item
// and passed on to everything inside it, which lies on the same mount.
class FileObjBuilder {
public:
    // Answers whether PATH lies on a solid-state device.
    using SolidStateTest = std::function<bool(const QString& path)>;
    // Answers whether PATH lies on a copy-on-write volume.
    using CopyOnWriteTest = std::function<bool(const QByteArray& path)>;

    // SOLIDSTATE fills the solid-state flag (by default the medium check of the device under the
    // path; an empty test flags nothing); COPYONWRITE the copy-on-write flag (by default the
    // file-system type). Each is asked once per file system.
    explicit FileObjBuilder(SolidStateTest solidState = systemSolidStateTest(),
                            CopyOnWriteTest copyOnWrite = systemCopyOnWriteTest());
    static SolidStateTest systemSolidStateTest();
    static CopyOnWriteTest systemCopyOnWriteTest();

    // A top-level item for PATH as the user chose it: a folder gets size 0, a file the size from
    // its own attributes (a link's own size, never its target's). Null when PATH does not exist.
    FileObjPtr addFileToArr(const QString& path);
    FileObjPtr addFileToArr(const QByteArray& nativePath);
    // An item for an entry found inside a chosen folder: the size always from its attributes.
    FileObjPtr buildFileObj(const QString& path, bool isDir);

    // The work list for the chosen items, in order: a real folder (a bundle ending in ".app"
    // too) is preceded by all of its content, depth first, every folder after everything inside
    // it. Unselected items are left out.
    QList<FileObjPtr> buildWorkList(const QList<FileObjPtr>& chosen);
    // Appends the content of the chosen folder TOP (not TOP itself) to OUT, depth first.
    void appendContents(const FileObjPtr& top, QList<FileObjPtr>& out);

    // Told the number of entries found so far after each entry of an expansion; returning false
    // ends the expansion there (the work list is then incomplete and must not be run).
    using ExpansionWatch = std::function<bool(qsizetype found)>;
    void setExpansionWatch(ExpansionWatch watch) { m_watch = std::move(watch); }
    bool expansionStopped() const { return m_expansionStopped; }

    // What could not be read while expanding: "path: what failed", for the report.
    struct PlanProblem {
        QByteArray anchor; // the chosen item it belongs to
        QString text;
    };
    const QList<PlanProblem>& planProblems() const { return m_planProblems; }

    // The display form of a path's bytes: UTF-8 where valid, a replacement character elsewhere.
    static QString displayPath(const QByteArray& nativePath);

private:
    ExpansionWatch m_watch;
    bool m_expansionStopped = false;
    class ContentCollector;

    FileObjPtr makeItem(const QByteArray& path, bool isDir, qint64 size, bool isLink);
    void fillVolumeFlags(FileObj& item, quint64 device);

    SolidStateTest m_solidState;
    CopyOnWriteTest m_copyOnWrite;
    QHash<quint64, std::pair<bool, bool>> m_flagsByDevice; // solid state, copy-on-write
    QList<PlanProblem> m_planProblems;
};

#pragma once

#include "app/duplicat/Duplicate/PseudoFileSystems.h"
#include "app/duplicat/Duplicate/fileAttrbItem.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The duplicate finder's walk: every regular, non-empty file under a root as a file
// record, in walk order, and the application bundles (folders named *.app, any case) met on the
// way as bare paths, each through its first non-empty file.
//
// Below the top level the walk is the shared one (SafeWalk): no link is followed, everything is
// reached through folder descriptors, names keep their bytes. Directly under the root links are
// followed (what the user put there is meant). Only regular files become candidates: a fifo, socket
// or device is never opened. Pseudo file systems (proc, sysfs, devtmpfs, cgroup...) are never
// entered, whatever the options; other mounts inside the root are not entered either (copies
// found there could be deleted from a volume the user never chose), unless a link directly under
// the root leads there, and then each at most once. With system folders not searched and the root
// "/", the system folders are skipped: Library, Developer, System, Volumes, bin, sbin and Linux's
// proc, sys, dev, run, boot, etc, usr, var, lib*.
class getFileList {
public:
    getFileList() = default;

    // Appends to FILES and BUNDLES; false when the root cannot be listed (both left unchanged).
    bool getListAtPath(const QString& root, QList<fileAttrbItemPtr>& files,
                       QList<QByteArray>& bundles, std::uint64_t limittedSize);
    bool getListAtPath(const QByteArray& nativeRoot, QList<fileAttrbItemPtr>& files,
                       QList<QByteArray>& bundles, std::uint64_t limittedSize);

    void stopSearch() { m_bStopSearch = true; }
    bool stopped() const { return m_bStopSearch; }

    bool m_bSearchHiddenFile = false;
    bool m_bSearchSystemDirectory = false;

    // Tests: the folder whose first-level folders count as system folders (normally "/"), and
    // a call made as each folder is entered (to stop the walk at a known place).
    QByteArray m_systemRoot = "/";
    // Folders walked at once (each by one thread; the lists keep the walk's order). When the
    // root holds few folders, the walk first lists a level or two below it, so that one large
    // folder does not leave the other threads idle. With a folder hook the walk stays on one
    // thread.
    int m_threads = 1;
    std::function<void(const QByteArray& folder)> m_folderHook;

    // The folder being listed right now (empty before the first).
    QString currentPath() const;

    // True when some component of PATH begins with ".".
    static bool IsHiddenFile(const QString& path);
    // True when PATH's first component (the second after a leading "/") is a system folder.
    static bool IsSystemDirectory(const QString& path);
    static bool isSystemFolderName(const QByteArray& name);
    // The bundle holding PATH: the prefix up to its first component with the extension "app"
    // in any case; empty when none.
    static QByteArray bundleOf(const QByteArray& path);
    static bool hasAppExtension(const char* name, std::size_t length);

private:
    class Walker;
    friend class Walker;

    // What one folder under the root (or a file there) contributes, merged in order at the end.
    struct Sink {
        QList<fileAttrbItemPtr> files;
        QList<QByteArray> bundles;
        QSet<QByteArray> bundleSet;
        bool complete = true; // not cut short by a stop
    };

    void setCurrentPath(const QByteArray& nativePath);
    // One part of the walk, merged in order: a file, or a folder walked as a whole.
    struct Slot;
    void walkFolder(int holderFd, const char* name, const QByteArray& path,
                    const QByteArray& bundle, Sink& sink);
    void walkBelow(Slot& slot);
    void splitFolders(int rootFd, std::vector<Slot>& parts, std::size_t wanted,
                      std::vector<int>& heldFds);
    bool expand(int rootFd, Slot& slot, std::vector<Slot>& out, std::vector<int>& heldFds);
    void consider(const QByteArray& path, const struct stat& st, const QByteArray& bundle,
                  std::size_t bundleFrom, Sink& sink);
    bool isPseudo(int fd);
    bool isPseudoMount(std::uint64_t mountId);
    bool firstEntry(const struct stat& st); // false when that folder was entered already

    std::atomic<bool> m_bStopSearch{false};
    mutable std::mutex m_pathLock;
    QString m_CurrentPath;
    PseudoFileSystems m_pseudo;
    QSet<QPair<quint64, quint64>> m_mountsEntered; // device and inode of mount roots
    std::mutex m_sharedLock; // m_pseudo and m_mountsEntered, shared by parallel walks
    std::uint64_t m_limit = 0;
};

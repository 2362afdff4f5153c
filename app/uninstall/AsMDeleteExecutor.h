#pragma once

#include "app/uninstall/AMAppItem.h"
#include "app/uninstall/UninstallFolders.h"
#include "app/uninstall/UninstallReport.h"

#include <QHash>
#include <QList>
#include <QString>
#include <atomic>
#include <functional>

// Told of each item as the removal run reaches it, on the run's thread.
class AsMDeleteExecutorDelegate {
public:
    virtual ~AsMDeleteExecutorDelegate() = default;
    virtual void deleteRelatedFile(const AMAppItemPtr& /*item*/) {}
    virtual void deleteRelatedFileFail(const AMAppItemPtr& /*item*/, const QString& /*why*/) {}
};

// Removes the items the user left selected, one by one, the way each was installed: an
// application a package manager installed goes through that manager (apt, flatpak, snap), any
// other application and every related file is removed from disk, with administrator rights
// where plain removal fails (EuAuthorization). Nothing is removed that lies outside the
// folders the uninstaller looks in, or the application's own files; a related file must sit
// directly in one of the per-application folders. No link is followed.
//
// The packages go first, one run per package manager; then the files, with one privileged run
// for all that plain removal left: a user who is not root is asked for the password once per
// package manager and once for the files, not once per item. With "erase securely" the
// related files are erased (overwritten, then removed, and recorded in the erasure history)
// by the erasure job instead.
class AsMDeleteExecutor {
public:
    // Removes a package; the error text (the tool's output) when it failed.
    using PackageRemover = std::function<bool(const PackageRef& package, QString& error)>;

    // The system's package tools, removing many packages per run.
    explicit AsMDeleteExecutor(UninstallFolders folders);
    // PACKAGES removes each package on its own (tests stand in for the package tools).
    AsMDeleteExecutor(UninstallFolders folders, PackageRemover packages);

    void setDelegate(AsMDeleteExecutorDelegate* delegate) { m_delegate = delegate; }
    void setEraseSecurely(bool erase) { m_eraseSecurely = erase; }
    // Once STOP is set, the package removals under way are finished and no file is removed.
    void setStopRequest(const std::atomic_bool* stop) { m_stop = stop; }

    // Runs through ITEMS (groups in order, the application first in each) on the calling
    // thread and returns what happened. A package removal is never stopped halfway (that would
    // be worse than the wait); a stop asked for is heeded once the packages are done.
    UninstallReport executeDelete(const QList<AMAppItemPtr>& items);

    // Why an item stayed when the run was stopped before it.
    static inline const QString kNotReached =
        QStringLiteral("not removed: the removal was stopped before it");

    // Removes one item; false with WHY set when it stayed.
    bool removeTrahFile(const AMAppItemPtr& item, QString& why);

    // Whether ITEM lies where this run may remove it (see above).
    bool mayRemove(const AMAppItem& item, QString& why) const;

private:
    struct Outcome {
        bool ok = false;
        QString why;
    };
    // Package removals for PACKAGES, in order.
    QList<Outcome> removePackages(const QList<PackageRef>& packages);
    // Erases PATHS with the erasure job; why, for each path that stayed.
    static QHash<QString, QString> erasePaths(const QStringList& paths);

    UninstallFolders m_folders;
    PackageRemover m_packages; // set: one package at a time
    AsMDeleteExecutorDelegate* m_delegate = nullptr;
    bool m_eraseSecurely = false;
    const std::atomic_bool* m_stop = nullptr;
};

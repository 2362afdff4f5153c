#pragma once

#include "platform/PrivilegedCommand.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <mutex>

// Removal of a file or folder with administrator rights where ordinary means fail. Plain
// removal comes first (links removed as links, no mount entered, nothing overwritten); only
// what it could not remove goes to "/bin/rm -rf --one-file-system" with administrator rights:
// run directly when the program is root, else through pkexec, whose dialog asks the user.
// A removal counts only when the tool ended with status 0 and the path is gone. Many paths are
// removed with one privileged run, so that the user is asked once, not once per path.
class EuAuthorization {
public:
    static EuAuthorization* shareEuAuthorization();
    // Tests replace how the privileged tool is run (a stand-in pkexec, not root).
    void setOptions(const PrivilegedCommand::Options& options);

    // Whether administrator rights can be had: root, or a pkexec to ask through. A dismissed
    // dialog makes the next privileged removal ask again.
    bool allocAuthorization();
    bool freeAuthorization();
    bool isValidAuth() const { return m_isValidAuth; }

    // Removal with administrator rights.
    bool removeItemAtPath(const QString& path, QString* output = nullptr);
    // Removal of PATHS with administrator rights in one run; true when every one is gone.
    bool removeItemsAtPaths(const QStringList& paths, QString* output = nullptr);
    // Removal with the fallback: what callers use. WHY, when given, says what stayed.
    bool synFastRemovePath(const QString& path, QString* why = nullptr);
    // The same for many paths, with at most one privileged run for those that plain removal
    // left; returns why, for each path that stayed.
    QHash<QString, QString> synFastRemovePaths(const QStringList& paths);

    // How many times the privileged tool was started (the password dialogs it may have shown).
    int privilegedRuns() const { return m_privilegedRuns; }

private:
    EuAuthorization();
    // Plain removal, then the owner's write permission of the parent folder; PROBLEMS says
    // what stood in the way.
    static bool removeWithoutRights(const QString& path, QStringList* problems);

    std::mutex m_lock; // removals come from worker threads, one at a time
    PrivilegedCommand::Options m_options;
    bool m_isValidAuth = false;
    int m_privilegedRuns = 0;
};

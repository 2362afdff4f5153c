#pragma once

#include "platform/PrivilegedCommand.h"

#include <QString>
#include <mutex>

// Removal of a file or folder with administrator rights where ordinary means fail. Plain
// removal comes first (links removed as links, no mount entered, nothing overwritten); only
// what it could not remove goes to "/bin/rm -rf --one-file-system" with administrator rights:
// run directly when the program is root, else through pkexec, whose dialog asks the user.
// A removal counts only when the tool ended with status 0 and the path is gone.
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
    // Removal with the fallback: what callers use. WHY, when given, says what stayed.
    bool synFastRemovePath(const QString& path, QString* why = nullptr);

    // How many times the privileged tool was started (the password dialogs it may have shown).
    int privilegedRuns() const { return m_privilegedRuns; }

private:
    EuAuthorization();

    std::mutex m_lock; // removals come from worker threads, one at a time
    PrivilegedCommand::Options m_options;
    bool m_isValidAuth = false;
    int m_privilegedRuns = 0;
};

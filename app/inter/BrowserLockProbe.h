#pragma once

#include "app/inter/BrowserProfile.h"

#include <QList>
#include <QString>
#include <sys/types.h>

// Whether a browser is running, from the markers it keeps while it runs, checked against the
// live processes (a marker left by a crash names a process that is gone, or a pid reused by a
// process of another user):
// - Chromium family: the user-data folder's SingletonLock, a link to "<host>-<pid>";
// - Firefox: the profile's .parentlock, on which the running browser holds an fcntl write lock
//   (the file itself stays after exit), else the profile's "lock" link to "<ip>:+<pid>".
class BrowserLockProbe {
public:
    struct Holder {
        pid_t pid = 0;  // 0: held from another host, which cannot be ended from here
        QString marker; // the marker that names it
    };

    // The processes holding the markers of PROFILES, each once. UID: the user whose browser it
    // is; a process of another user does not count (-1: any user).
    static QList<Holder> running(const QString& family, const QList<BrowserProfile>& profiles,
                                 uid_t uid);

    // PID is a process that has not ended (not a zombie), of UID unless UID is -1.
    static bool isLive(pid_t pid, uid_t uid);
    // The pid a SingletonLock link names on this host; -1 when none, 0 for another host.
    static pid_t chromiumLockPid(const QString& userData);
    // The pid holding .parentlock, else the pid the "lock" link names; -1 when none.
    static pid_t firefoxLockPid(const QString& profile);
};

#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <sys/types.h>

// The user the programs work for. The main program runs as root, so "the user" is not the
// process owner there: under pkexec it is PKEXEC_UID, under sudo SUDO_USER, otherwise USER.
// Every name is checked against the account database before it goes into a path, and the home
// folder is the account's own (pw_dir), never built from the name.
class UserAccount {
public:
    QString name;
    QString home;
    uid_t uid = 0;
    gid_t gid = 0;

    // What the lookup reads from the running process; tests inject their own.
    struct Process {
        uid_t uid = 0;  // real user id
        uid_t euid = 0; // effective user id
        // The value of an environment variable, null when it is not set.
        std::function<QByteArray(const char*)> env;
    };
    static Process currentProcess();

    // The user this process works for, or nothing when no source names a valid account.
    static std::optional<UserAccount> invokingUser();
    static std::optional<UserAccount> invokingUser(const Process& process);

    // A name fit for a path component: not empty, not "." or "..", no "/", no control
    // characters, valid UTF-8. Says nothing about whether the account exists.
    static bool isAcceptableName(const QByteArray& name);

    // The account of that name or id from the account database; nothing when it does not exist,
    // its name is not acceptable or its home folder is not absolute.
    static std::optional<UserAccount> byName(const QByteArray& name);
    static std::optional<UserAccount> byUid(uid_t uid);
};

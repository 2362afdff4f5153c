#pragma once

#include "platform/UserAccount.h"

#include <QString>
#include <functional>
#include <optional>

// What KorvaneLoader does at every start, in order: record the user's name in the main
// program's settings store, install the file-manager actions that are missing, then either
// erase the path a file-manager action handed over or start the main program with
// administrator rights. The process always ends with status 0.
class LoaderStartup {
public:
    enum class Road { PrivilegedStart, ServiceEraser };
    struct Decision {
        Road road = Road::PrivilegedStart;
        QString path; // the path to erase on the service road
    };

    // Two or more arguments whose first is valid UTF-8, not empty, and exists: the service road.
    // Anything else (none, one, or a first argument that fails those tests): the privileged start.
    static Decision chooseRoad(int argc, const char* const* argv);

    // Stores the user's name under USERNAME. False when there is no valid user or the store
    // cannot be written.
    static bool recordUserName(const std::optional<UserAccount>& user);

    // Installs the missing file-manager actions for USER; results go to the log.
    static void installFileManagerActions(const std::optional<UserAccount>& user);

    struct Roads {
        // Erases the path in the loader's own window; false when that cannot be done, in which
        // case the privileged start follows instead.
        std::function<bool(const QString& path)> serviceEraser;
        // Starts the main program at the given path with administrator rights.
        std::function<int(const QString& mainExecutable)> privilegedStart;
    };
    static int run(int argc, const char* const* argv, const Roads& roads);
};

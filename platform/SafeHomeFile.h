#pragma once

#include <QByteArray>
#include <QString>
#include <sys/types.h>

// Creates a file below a user's home folder only when nothing is there yet, safely even when
// running as root: every folder on the way is opened without following links and must belong to
// the user or to root, missing folders are created (mode 0700) for the user, and the file
// appears complete or not at all (written under a temporary name, then moved into place without
// replacing anything). Files and folders created as root are given to the user.
class SafeHomeFile {
public:
    enum class Result {
        Created,
        AlreadyPresent, // something (of any kind) is already at the path: left alone
        Refused,        // a link or a folder of another owner on the way
        Failed,         // an error creating or writing
    };

    struct Owner {
        uid_t uid = 0;
        gid_t gid = 0;
    };

    // RELATIVE is a path below HOME such as ".local/share/nemo/actions/x.nemo_action"; it must
    // not be absolute or contain "." or ".." components. ERROR receives the reason when the
    // result is Refused or Failed.
    static Result createIfMissing(const QString& home, const QString& relative,
                                  const QByteArray& content, mode_t mode, const Owner& owner,
                                  QString* error = nullptr);
};

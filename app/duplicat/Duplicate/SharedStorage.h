#pragma once

#include "app/duplicat/Duplicate/fileAttrbItem.h"

#include <QByteArray>
#include <QList>

// Which copies of a group share their storage: names of one file (hard links, or one file
// reached along two paths), and copy-on-write copies whose every extent is shared with the
// other's (btrfs, xfs reflinks: FIEMAP reports the same physical extents, each marked shared).
// Removing such a copy frees nothing, so they are not offered for deletion against each other.
class SharedStorage {
public:
    // Sets sharesWith and storage on every member of GROUP.
    static void annotate(const QList<fileAttrbItemPtr>& group);
    // Whether two files (on the same device) share all their extents.
    static bool sharesAllExtents(const QByteArray& a, const QByteArray& b);
    // The members of GROUP that hold storage of their own, counting each shared set once.
    static int distinctCopies(const QList<fileAttrbItemPtr>& group);
};

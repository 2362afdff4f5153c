#pragma once

#include "app/duplicat/Duplicate/DuplicateGroup.h"

#include <QList>
#include <QString>

// Which copies of each group to delete: the helpers of the result view and of
// `korvane duplicates --delete`. A pick is one flag per file of the group (true: delete).
// Every helper keeps at least one copy, and never marks a copy that shares its storage with a
// kept one (another name of the same file, a full reflink): removing it would free nothing.
class DuplicatePick {
public:
    using Marks = QList<bool>;

    static Marks keepNewest(const DuplicateGroup& group);
    static Marks keepOldest(const DuplicateGroup& group);
    // Keeps the copies inside FOLDER (a path prefix); a group with none there is left alone.
    static Marks keepInFolder(const DuplicateGroup& group, const QString& folder);
    // Keeps the copy at index KEEP.
    static Marks keepOnly(const DuplicateGroup& group, int keep);

    // Clears the marks that would remove every copy, or a copy sharing storage with a kept one.
    static Marks sanitize(const DuplicateGroup& group, Marks marks);
    // The kept copy, with storage of its own, against which the copy at INDEX is compared before
    // it is deleted; -1 when there is none.
    static int referenceFor(const DuplicateGroup& group, const Marks& marks, int index);
    // The storage set a file belongs to (the first member of its shared set).
    static int storageRoot(const DuplicateGroup& group, int index);
};

#pragma once

#include "app/duplicat/Duplicate/fileAttrbItem.h"

#include <QList>
#include <cstdint>

// One group of identical files as the result view and `korvane duplicates` show it, cut from the
// search's flat list: a run of records with equal size, head and whole digest (two neighbouring
// runs cannot agree on all three, or they would be one group).
struct DuplicateGroup {
    QList<fileAttrbItemPtr> files; // matches in candidate order, then the file they matched
    std::uint64_t fileSize = 0;

    // Copies with storage of their own (shared names and reflinks count once).
    int distinctCopies() const;
    // What removing all copies but one would free.
    std::uint64_t wastedBytes() const;

    static QList<DuplicateGroup> split(const QList<fileAttrbItemPtr>& flat);
};

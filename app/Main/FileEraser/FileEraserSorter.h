#pragma once

#include "app/Main/FileEraser/FileObj.h"

#include <QList>

// Sorting of the module's list: by name (plain, case-sensitive comparison) or by size, ascending
// or descending. Works on a copy so that it can run off the main thread.
class FileEraserSorter {
public:
    // sortType 0 = by name, otherwise by size; sortAD 0 = ascending, otherwise descending.
    static QList<FileObjPtr> sorted(QList<FileObjPtr> items, int sortType, int sortAD);
};

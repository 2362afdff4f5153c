#include "app/Main/FileEraser/FileEraserSorter.h"

#include <algorithm>

QList<FileObjPtr> FileEraserSorter::sorted(QList<FileObjPtr> items, int sortType, int sortAD) {
    const bool descending = sortAD != 0;
    auto less = [sortType](const FileObjPtr& a, const FileObjPtr& b) {
        if (sortType == 0)
            return QString::compare(a->name, b->name, Qt::CaseSensitive) < 0;
        return a->size < b->size;
    };
    std::stable_sort(items.begin(), items.end(), [&](const FileObjPtr& a, const FileObjPtr& b) {
        return descending ? less(b, a) : less(a, b);
    });
    return items;
}

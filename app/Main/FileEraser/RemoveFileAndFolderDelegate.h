#pragma once

#include "app/Main/FileEraser/FileObj.h"

#include <QList>
#include <QString>

// What the secure-deletion task reports to its caller. Every operation has an empty default body,
// so a caller overrides only what it needs.
class RemoveFileAndFolderDelegate {
public:
    virtual ~RemoveFileAndFolderDelegate() = default;
    // Before each item: progress in percent, the item's path and its index in the work list.
    virtual void removeProgress(float progress, const QString& path, int index) {
        Q_UNUSED(progress);
        Q_UNUSED(path);
        Q_UNUSED(index);
    }
    // Each time an item is marked "Fail".
    virtual void haveFailEraser() {}
    // Once, at the end or after a cancellation, with every item handled, in processing order.
    virtual void removeObjEnd(const QList<FileObjPtr>& processed) { Q_UNUSED(processed); }
};

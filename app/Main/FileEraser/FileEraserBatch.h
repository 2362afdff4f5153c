#pragma once

#include "app/Main/FileEraser/FileObj.h"

#include <QList>
#include <QStringList>
#include <functional>

// The rules for adding one batch of paths (from the open panel or a drop) to the module's list:
// a path on an NTFS volume is never added (the caller shows the NTFS notice instead), "/" ends
// the batch, a path already listed or no longer existing is skipped.
class FileEraserBatch {
public:
    struct Result {
        int added = 0;
        bool refusedNtfs = false; // the caller shows the NTFS notice
        bool stoppedAtRoot = false;
    };
    // True when the path lies on a volume that must not be erased this way (NTFS and the like).
    using VolumeRefusal = std::function<bool(const QString& path)>;
    // Makes the top-level item for an existing path.
    using ItemMaker = std::function<FileObjPtr(const QString& path, bool isDir)>;

    static Result addPaths(QList<FileObjPtr>& valueArr, const QStringList& batch,
                           const VolumeRefusal& refuses, const ItemMaker& makeItem);
};

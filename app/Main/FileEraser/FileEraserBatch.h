#pragma once

#include "app/Main/FileEraser/ErasePathCheck.h"
#include "app/Main/FileEraser/FileObj.h"

#include <QList>
#include <QStringList>
#include <functional>

// The rules for adding one batch of paths (from the open panel or a drop) to the module's list.
// Every path goes through the erasure's path check: a path on an NTFS volume is never added (the
// caller shows the NTFS notice instead; the first path decides for the whole batch), the root
// folder ends the batch, every other refused path is left out with its reason, and a path
// already listed or no longer there is skipped. Paths are listed made absolute.
class FileEraserBatch {
public:
    struct Result {
        int added = 0;
        bool refusedNtfs = false; // the caller shows the NTFS notice
        bool stoppedAtRoot = false;
        QStringList refusals; // one sentence per refused path, for the user
    };
    using PathCheck = std::function<ErasePathCheck::Result(const QString& path)>;
    // Makes the top-level item for an existing absolute path.
    using ItemMaker = std::function<FileObjPtr(const QByteArray& path, bool isDir)>;

    static Result addPaths(QList<FileObjPtr>& valueArr, const QStringList& batch,
                           const PathCheck& check, const ItemMaker& makeItem);
};

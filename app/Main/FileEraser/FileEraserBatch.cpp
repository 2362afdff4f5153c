#include "app/Main/FileEraser/FileEraserBatch.h"

#include <QFileInfo>

FileEraserBatch::Result FileEraserBatch::addPaths(QList<FileObjPtr>& valueArr,
                                                  const QStringList& batch,
                                                  const VolumeRefusal& refuses,
                                                  const ItemMaker& makeItem) {
    Result result;
    if (batch.isEmpty())
        return result;
    // The first path decides for the whole batch, as a drop usually comes from one volume.
    if (refuses(batch.first())) {
        result.refusedNtfs = true;
        return result;
    }
    for (const QString& path : batch) {
        if (path == QLatin1String("/")) {
            result.stoppedAtRoot = true;
            break;
        }
        bool listed = false;
        for (const FileObjPtr& item : valueArr)
            if (item->url == path) {
                listed = true;
                break;
            }
        if (listed)
            continue;
        const QFileInfo info(path);
        // A dangling link still names something the user can erase: the link itself.
        if (!info.exists() && !info.isSymLink())
            continue;
        // Later paths of a mixed batch can lie on another volume: check each one again.
        if (refuses(path)) {
            result.refusedNtfs = true;
            continue;
        }
        const bool isDir = info.isDir() && !info.isSymLink();
        if (FileObjPtr item = makeItem(path, isDir)) {
            valueArr.append(item);
            ++result.added;
        }
    }
    return result;
}

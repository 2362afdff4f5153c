#include "app/Main/FileEraser/FileEraserBatch.h"

#include <sys/stat.h>

namespace {
using Reason = ErasePathCheck::Reason;
} // namespace

FileEraserBatch::Result FileEraserBatch::addPaths(QList<FileObjPtr>& valueArr,
                                                  const QStringList& batch, const PathCheck& check,
                                                  const ItemMaker& makeItem) {
    Result result;
    if (batch.isEmpty())
        return result;
    // The first path decides for the whole batch, as a drop usually comes from one volume.
    if (check(batch.first()).reason == Reason::Ntfs) {
        result.refusedNtfs = true;
        return result;
    }
    for (const QString& path : batch) {
        const ErasePathCheck::Result verdict = check(path);
        if (verdict.reason == Reason::RootFolder) {
            result.stoppedAtRoot = true;
            result.refusals << ErasePathCheck::message(verdict);
            break;
        }
        if (verdict.reason == Reason::Missing)
            continue; // gone since it was chosen
        if (verdict.reason == Reason::Ntfs) {
            // Later paths of a mixed batch can lie on another volume: each is checked.
            result.refusedNtfs = true;
            continue;
        }
        if (verdict.verdict == ErasePathCheck::Verdict::Refuse) {
            result.refusals << ErasePathCheck::message(verdict);
            continue;
        }
        bool listed = false;
        for (const FileObjPtr& item : valueArr)
            listed = listed || item->nativePath() == verdict.absolute;
        if (listed)
            continue;
        struct stat st {};
        const bool isDir = ::lstat(verdict.absolute.constData(), &st) == 0 && S_ISDIR(st.st_mode);
        if (FileObjPtr item = makeItem(verdict.absolute, isDir)) {
            valueArr.append(item);
            ++result.added;
        }
    }
    return result;
}

#include "app/Main/FileEraser/FileEraserOutcome.h"

#include <QFile>
#include <sys/stat.h>

bool FileEraserOutcome::pathStillExists(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QList<FileObjPtr> FileEraserOutcome::takeSelectedResults(QList<FileObjPtr>& valueArr) {
    QList<FileObjPtr> results;
    QList<FileObjPtr> remaining;
    for (const FileObjPtr& item : valueArr) {
        if (!item->isSelect) {
            remaining.append(item);
            continue;
        }
        item->failStr =
            pathStillExists(item->url) ? QStringLiteral("Failed") : QStringLiteral("Erased");
        results.append(item);
    }
    valueArr = remaining;
    return results;
}

#include "app/Main/FileEraser/FileObj.h"

#include <QFile>
#include <sys/stat.h>

bool FileObj::isFileSymbolicLink(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISLNK(st.st_mode);
}

void FileObj::setIsSymbolicLink() {
    isSymbolicLink = isFileSymbolicLink(url);
}

QByteArray FileObj::nativePath() const {
    return nativeUrl.isEmpty() ? QFile::encodeName(url) : nativeUrl;
}

QByteArray FileObj::anchorPath() const {
    const QByteArray path = nativePath();
    return topLength < 0 ? path : path.left(topLength);
}

QByteArray FileObj::relativePath() const {
    if (topLength < 0)
        return {};
    return nativePath().mid(topLength + 1);
}

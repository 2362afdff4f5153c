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

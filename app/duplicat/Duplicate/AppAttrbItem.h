#pragma once

#include "app/duplicat/Duplicate/fileAttrbItem.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <memory>

// One application bundle met by the walk: every file below it, their total size.
class AppAttrbItem {
public:
    QList<fileAttrbItemPtr> AllFileInDirectory;
    std::uint64_t DirectorySize = 0;
    QString DirectoryPathName;
    QByteArray nativePath;
    QString DirectoryName;
    // Something below it is neither a regular file, a folder nor a link (a fifo, a device): its
    // content cannot be compared, so the bundle equals no other.
    bool hasSpecialEntries = false;
};

using AppAttrbItemPtr = std::shared_ptr<AppAttrbItem>;

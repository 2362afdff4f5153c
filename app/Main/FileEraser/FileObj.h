#pragma once

#include <QString>
#include <memory>

// One file or folder to erase. Items are shared between the module's list, the deletion task's
// work list and its processed list, so they travel as FileObjPtr. The display icon is not kept
// here (this class has no display); views derive it from `url`, `type` and `isDir`.
class FileObj {
public:
    QString name;         // last path component, for display
    QString url;          // the full path (a path, not a URL)
    QString type;         // "Folder" for folders, otherwise the extension in its own case
    qint64 size = 0;      // bytes; 0 for a folder the user added directly
    bool isDir = false;   // the item is a folder
    bool isSelect = true; // selected in the module's list
    QString failStr;      // empty until processed, then "Success" or "Fail" (or "Erased"/"Failed")
    bool isSymbolicLink = false; // the path itself is a symbolic link
    bool isSSD = false;          // lies on a solid-state device: always a single pass

    // True when PATH itself (not what it points to) is a symbolic link.
    static bool isFileSymbolicLink(const QString& path);
    // Sets isSymbolicLink from this item's own path.
    void setIsSymbolicLink();
};

using FileObjPtr = std::shared_ptr<FileObj>;

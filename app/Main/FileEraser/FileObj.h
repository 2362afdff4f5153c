#pragma once

#include "app/Main/FileEraser/EraseItemResult.h"

#include <QByteArray>
#include <QString>
#include <memory>

// One file or folder to erase. Items are shared between the module's list, the deletion task's
// work list and its processed list, so they travel as FileObjPtr. The display icon is not kept
// here (this class has no display); views derive it from `url`, `type` and `isDir`.
class FileObj {
public:
    QString name;         // last path component, for display
    QString url;          // the full path (a path, not a URL), for display and the history
    QString type;         // "Folder" for folders, otherwise the extension in its own case
    qint64 size = 0;      // bytes; 0 for a folder the user added directly
    bool isDir = false;   // the item is a folder
    bool isSelect = true; // selected in the module's list
    QString failStr;      // empty until processed, then "Success" or "Fail" (or "Erased"/"Failed")
    bool isSymbolicLink = false; // the path itself is a symbolic link
    bool isSSD = false;          // lies on a solid-state device: always a single pass

    // The path's exact bytes. `url` shows them (names that are not UTF-8 lossily); erasing
    // always uses these.
    QByteArray nativeUrl;
    // For an item found inside a chosen folder: the length of that folder's path at the start
    // of nativeUrl. -1 for an item that was chosen itself.
    qsizetype topLength = -1;
    bool onCopyOnWrite = false; // its volume keeps earlier copies of what is overwritten
    int eraserLevel = 0;        // the standard it really got (its pass count); 0 until then
    EraseItemResult result;

    // True when PATH itself (not what it points to) is a symbolic link.
    static bool isFileSymbolicLink(const QString& path);
    // Sets isSymbolicLink from this item's own path.
    void setIsSymbolicLink();

    // nativeUrl, or the encoded url for an item made without it.
    QByteArray nativePath() const;
    // The path of the chosen item this one belongs to, and its path below that ("" for the
    // chosen item itself).
    QByteArray anchorPath() const;
    QByteArray relativePath() const;
};

using FileObjPtr = std::shared_ptr<FileObj>;

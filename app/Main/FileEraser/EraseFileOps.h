#pragma once

#include <QString>

// Low-level file operations of the erasure engine. None of them follows a symbolic link: a link
// is handled as the link itself, never as what it points to.
class EraseFileOps {
public:
    // True when PATH exists as anything (a dangling link counts as existing).
    static bool pathExists(const QString& path);
    // Clears the immutable and append-only inode flags of a regular file or folder, so the
    // secure-remove tool can overwrite and remove it. Links, devices and the like are left alone.
    // True when no such flag remains set (or the path is not a file or folder).
    static bool clearProtectionFlags(const QString& path);
    // Removes one file, link or empty folder (unlink or rmdir). On failure sets *error to errno's
    // text. True when the path is gone afterwards.
    static bool removeEntry(const QString& path, QString* error = nullptr);
    // Removes PATH with everything inside it, without following links and without entering
    // another mounted file system (whatever lies on one stays, so its folder cannot be removed).
    // True when PATH is gone afterwards.
    static bool removeTree(const QString& path);
    // True when the folder containing PATH lets this process remove entries from it.
    static bool isDeletable(const QString& path);
};

#pragma once

#include <QString>

// Small file operations around the erasure (the erasure itself is srm's). None of them follows a
// symbolic link: a link is handled as the link itself, never as what it points to.
class EraseFileOps {
public:
    // True when PATH exists as anything (a dangling link counts as existing).
    static bool pathExists(const QString& path);
    // Clears the immutable and append-only inode flags of a regular file or folder, so the
    // secure-remove tool can overwrite and remove it. Links, devices and the like are left alone.
    // True when no such flag remains set (or the path is not a file or folder).
    static bool clearProtectionFlags(const QString& path);
};

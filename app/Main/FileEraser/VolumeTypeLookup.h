#pragma once

#include <QString>

// The file-system type of the volume holding a path, as the kernel's mount table names it, with
// FUSE mounts ("fuseblk", "fuse.*") resolved to the type probed on their device, so that a volume
// mounted through ntfs-3g reads "ntfs". Empty when it cannot be told.
class VolumeTypeLookup {
public:
    static QString typeOf(const QString& path);
    // True for the volume types that files are never erased on (NTFS, and "lifs").
    static bool isRefusedType(const QString& type);
};

#pragma once

#include <cstdint>
#include <sys/stat.h>

namespace safewalk {

// What is known of one directory entry, read without following it: its status, and the mount it
// belongs to. The mount id tells a bind mount of the same file system apart from its parent
// folder, which the device number cannot (both carry the same st_dev).
struct EntryFacts {
    struct stat st {};
    std::uint64_t mountId = 0;
    bool mountIdKnown = false;
    bool mountRoot = false; // the entry is the root of a mount: something is mounted on it
    // Immutable or append-only, where the file system tells (protectionKnown): such an entry
    // cannot be renamed or removed until those flags are cleared.
    bool protectionKnown = false;
    bool protectedEntry = false;

    // True when this entry lies on the same mount as REFERENCE (the top of a walk) and is not
    // itself a mount point.
    bool onSameMountAs(const EntryFacts& reference) const;
};

// Reads entry NAME of the open folder DIRFD without following a final link and without
// triggering an automount. 0 on success, otherwise errno.
int readEntry(int dirFd, const char* name, EntryFacts& facts);
// The same for the open descriptor FD itself.
int readOpen(int fd, EntryFacts& facts);

} // namespace safewalk

#pragma once

#include <map>
#include <string>
#include <sys/types.h>

namespace srm {

class Reporter;

// ext4 wipes a removed directory entry in place, but its journal keeps copies of the folder
// blocks it wrote, names and all, until they are overwritten by later transactions. At the end
// of a run the journal of every ext4 file system that lost a name is checkpointed and zeroed
// (once each). That needs CAP_SYS_ADMIN: without it, or on a kernel without the call, the
// names may stay in the journal, and the entries erased there say so.
class JournalFlusher {
public:
    explicit JournalFlusher(Reporter& reporter) : reporter_(reporter) {}
    ~JournalFlusher();
    JournalFlusher(const JournalFlusher&) = delete;
    JournalFlusher& operator=(const JournalFlusher&) = delete;

    // A name was removed from the open folder DIRFD, on DEVICE. True when its file system has a
    // journal that this run cannot zero, so the name may remain there.
    bool noteRemoval(int dirFd, dev_t device);

    // A folder of the file system of DIRFD is about to be removed. Its block holds the entries
    // removed from it, wiped in place only in the journal so far: a folder freed before the
    // journal wrote that block home would keep the old names on the disk. The journal is
    // checkpointed first where this process may.
    void beforeFolderRemoval(int dirFd);

    // Zeroes the journals of the file systems noted since the last call, after syncing them;
    // where that cannot be done, says once that names may remain.
    void flush();

    static inline const char* const kCaveat = "names may remain in the file system journal";

private:
    struct FileSystem {
        int fd = -1;
        bool pending = false;    // a name was removed since the last flush
        bool cannotZero = false; // the dry run said the journal cannot be zeroed here
        bool warned = false;
    };
    FileSystem* fileSystemOf(int dirFd);
    FileSystem* fileSystemOf(int dirFd, dev_t device);

    Reporter& reporter_;
    std::map<dev_t, FileSystem> fileSystems_;
};

} // namespace srm

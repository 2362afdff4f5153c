#pragma once

#include "EntryOutcome.h"
#include "FileSystemCalls.h"
#include "JournalFlusher.h"
#include "NameScrubber.h"
#include "OpenFolder.h"
#include "Overwriter.h"
#include "PassPlan.h"
#include "RandomSource.h"
#include "Reporter.h"
#include "SrmOptions.h"

#include "platform/walk/SafeWalk.h"

#include <string>
#include <sys/stat.h>
#include <vector>

namespace srm {

// Erases paths. Everything below a path is reached through directory descriptors (the shared
// SafeWalk: openat, unlinkat, never a re-walked path), so a name swapped for a link during the
// run cannot redirect the erasure; a symbolic link is never followed and no mount inside a
// folder is ever entered.
class SecureRemover {
public:
    SecureRemover(const SrmOptions& options, RandomSource& random, Reporter& reporter);

    // Erases one command-line path (with -r a folder and everything in it); false when anything
    // was left undone (each failure reported).
    bool erase(const std::string& path);

    // Erases the single entry NAME of the open folder DIRFD, never recursing: a file is
    // overwritten and removed, a link removed as a link, a fifo, socket or device met inside a
    // folder loses its name without being opened, a folder is removed when it is empty. TOPLEVEL
    // says the entry was named by the caller rather than found inside a folder being erased
    // (DIRFD is then outside the selection and is never changed). SHOWN names it in messages.
    EntryOutcome eraseOne(int dirFd, const std::string& name, const std::string& shown,
                          const safewalk::EntryFacts& seen, safewalk::SafeWalk::Kind kind,
                          bool topLevel);

    // Makes the removals on the file system of FD durable (the batch mode calls it at the end of
    // each anchor; erase() does so itself).
    static void flushFileSystemOf(int fd);

    // The end of a run: the throw-away entries left in folders that stay are removed (not
    // before: their places would take the next entries made there), then the journals of the
    // file systems that lost names are emptied where this process may.
    void finishRun();

    // Whether a name removed since beginEntry() may remain in a file-system journal that this
    // run cannot empty.
    void beginEntry() { namesInJournal_ = false; }
    bool namesMayRemainInJournal() const { return namesInJournal_; }

    // The scheme and final zero pass for the entries that follow (the batch mode's records).
    void setScheme(Scheme scheme, bool zeroPass);

    // Reached for tests that watch or disturb the passes.
    Overwriter& overwriter() { return overwriter_; }

    // The syncs, renames and removals go through CALLS (not owned): tests record their order.
    void setFileSystemCalls(FileSystemCalls& calls) { calls_ = &calls; }
    FileSystemCalls& fileSystemCalls() { return *calls_; }
    Reporter& reporter() { return reporter_; }

    // The passes a file erased now gets (the scheme of setScheme()).
    std::vector<Pass> passPlan() {
        return PassPlan::make(options_.scheme, options_.zeroPass, random_);
    }

    // The steps of a file's erasure, for the batch mode, which overwrites many files before one
    // flush and removes them after it (FileBatch). Each reports its own failures.
    //
    // Opens file NAME of DIRFD for the passes after the checks of eraseOne() (no other hard
    // link, still the file SEEN): its descriptor, or -1 with OUTCOME set.
    int openFile(int dirFd, const std::string& name, const std::string& shown,
                 const struct stat& seen, struct stat& opened, EntryOutcome& outcome);
    // After the passes: the blocks go back to the file system and FD is closed (always).
    bool releaseBlocks(int fd, const std::string& shown);
    // Gives the entry the random, ever shorter names that hide its own, without syncing the
    // folder; CURRENT is the name it has then. False when it may not go (changed meanwhile).
    // SHORTEST is the length the names stop at: where many entries of one folder wait hidden
    // together, one-letter names would run out. ONCE renames straight to that length: where the
    // folder is synced only after all the renames of a batch, the names between would never
    // reach the device anyway. STILLEMPTY: a file that was never opened, as it held nothing; it
    // is kept when it is no longer an empty file without blocks and other links.
    // AT is the folder that holds it.
    bool hideForRemoval(const OpenFolder& at, const std::string& name, const std::string& shown,
                        bool folder, const struct stat& seen, bool topLevel, std::string& current,
                        std::size_t shortest = 1, bool once = false, bool stillEmpty = false);
    // Removes the entry hidden as CURRENT (its name given back when that fails).
    bool removeHidden(const OpenFolder& at, const std::string& name, const std::string& current,
                      const std::string& shown, bool folder, const struct stat& seen,
                      bool topLevel);
    // Clears the immutable and append-only flags of the open folder DIRFD, which is being
    // erased too: it would keep every name it holds.
    static void clearFolderProtection(int dirFd);

private:
    class FolderEraser;

    EntryOutcome eraseFile(int dirFd, const std::string& name, const std::string& shown,
                           const struct stat& seen, bool topLevel);
    EntryOutcome eraseFolder(int dirFd, const std::string& name, const std::string& shown,
                             const struct stat& seen, bool topLevel);
    int openForWriting(int dirFd, const std::string& name, const std::string& shown,
                       const struct stat& seen, int& error);
    bool removeName(int dirFd, const std::string& name, const std::string& shown, bool folder,
                    const struct stat& seen, bool topLevel);
    std::string hideName(int dirFd, const std::string& name, const std::string& shown,
                         std::size_t shortest, bool once);
    FileSystemCalls* calls_ = &FileSystemCalls::system();
    void releaseFolder(int dirFd, const std::string& name, const struct stat& seen);

    SrmOptions options_;
    RandomSource& random_;
    Reporter& reporter_;
    Overwriter overwriter_;
    NameScrubber scrubber_;
    JournalFlusher journal_;
    bool namesInJournal_ = false;
};

} // namespace srm

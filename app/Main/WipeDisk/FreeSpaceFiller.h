#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

// One pass of the free-space wipe: fills the free space of the volume holding WORKFOLDER with
// throw-away files until the volume is really full, makes every byte of them reach the device,
// then deletes them. A full volume is the goal, not an error: writing goes on in smaller pieces
// down to a single byte after the first "no space", and again after a sync, until a sync frees
// nothing more (journals and delayed allocation give space back on commit), and a new file
// takes no byte either.
//
// Where the file system allows it the files have no name at all (O_TMPFILE), so a crash gives
// the space back at once; elsewhere they are named ".korvane_N" inside the work folder (made
// with O_EXCL, so no file that was there is ever written), and only the files this pass made
// are deleted. The work folder is reached through its descriptor, never by its path.
class FreeSpaceFiller {
public:
    enum class Pattern { Zeros, Random };

    struct Result {
        bool ok = false;           // the volume was filled and the fill files are gone
        bool cancelled = false;    // stopped on request (the files are gone too)
        bool cannotCreate = false; // not even a fill file could be made
        bool reserveLeft = false;  // ext2/3/4's reserve for the administrator stayed unwritten
        std::uint64_t written = 0;
        int errorNumber = 0; // errno of what failed
        QString error;       // what failed, for the log and the end view
    };

    // BYTES written so far in this pass; called from the filling thread.
    using Progress = std::function<void(std::uint64_t bytes)>;

    // FOLDERFD: the work folder, open; it stays the caller's.
    FreeSpaceFiller(int folderFd, Pattern pattern, const std::atomic_bool& cancel)
        : m_folderFd(folderFd), m_pattern(pattern), m_cancel(cancel) {}

    Result fill(const Progress& progress);

    // Called once, the first time the volume is full and synced, before the last stretch is
    // written: where a file system keeps space back from data (ext4's reserved clusters), the
    // caller can release it for that stretch.
    void setBeforeLastStretch(std::function<void()> hook) { m_beforeLastStretch = std::move(hook); }

    // Called once the volume is full and every fill byte is on the device, before the fill files
    // are deleted: what is overwritten while no data block is free (the file system's metadata,
    // folder slots) cannot grow into the data space. Not called when the pass failed or was
    // stopped.
    void setWhileFull(std::function<void()> hook) { m_whileFull = std::move(hook); }

    // Largest fill file: FAT's limit is 4 GiB - 1, and smaller files keep each one quick to
    // delete.
    static constexpr std::uint64_t kMaxFileBytes = 1ull << 30;
    static constexpr std::size_t kBlockBytes = 1u << 20;

private:
    // A new fill file; NAME is set when it has one.
    int openFillFile(int index, std::string& name, int& error);

    int m_folderFd;
    Pattern m_pattern;
    const std::atomic_bool& m_cancel;
    std::function<void()> m_beforeLastStretch;
    std::function<void()> m_whileFull;
};

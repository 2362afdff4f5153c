#pragma once

#include "FolderFormat.h"

#include <cstdint>
#include <map>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace srm {

class RandomSource;
class Reporter;

// Overwrites the directory slots that removed names leave behind on FAT and exFAT, where a
// removed entry keeps its name until a new entry takes its place (see FolderFormat).
//
// Right after a removal a throw-away entry of exactly the removed entry's slot count is made in
// the same folder; the driver puts it in the first free run that fits, which in a folder
// without older gaps is the removed entry's own. A folder about to be removed is filled further
// with the smallest throw-away entries until it would need another cluster (that cluster goes
// with the folder). The throw-away entries are empty files with names FolderFormat makes; they
// are removed again before the folder is removed or, for a folder that stays, at the end of the
// run, after which its modification time is put back. Any found from an earlier run that was
// killed are removed when the folder is first touched.
//
// Where the driver places new entries first-fit, an older gap before the removed entry (from an
// earlier deletion or an earlier run's throw-away entries) takes the first one. Where the folder
// reports its size, more entries of the same size follow as long as the free slots are enough
// to be sure that one still fits without a new cluster; the last of them reaches the removed
// entry's place. A folder whose size is unknown gets the one entry.
//
// A folder that stays is never grown: if a throw-away entry made one need another cluster
// (the slot count of a name was not what the driver used), no more are made there.
class NameScrubber {
public:
    NameScrubber(RandomSource& random, Reporter& reporter);
    ~NameScrubber();
    NameScrubber(const NameScrubber&) = delete;
    NameScrubber& operator=(const NameScrubber&) = delete;

    // The format of the file system of the open folder DIRFD (asked once per device).
    FolderFormat formatOf(int dirFd);
    // The same where the caller knows the DEVICE the folder is on.
    FolderFormat formatOf(int dirFd, dev_t device);

    // NAME was just removed from the open folder DIRFD. STAYS says the folder itself is not
    // being erased (it holds a path the caller named).
    void afterRemoval(int dirFd, const std::string& name, bool stays);

    // The open folder FOLDERFD is about to be removed: fills what is free in it, then removes
    // every throw-away entry in it. The folder is then as empty as it was.
    void beforeFolderRemoval(int folderFd);

    // The open folder FOLDERFD stays: its throw-away entries go and its time is put back.
    void release(int folderFd);

    // Overwrites the free slots of the open folder FOLDERFD, which stays, wherever names of
    // entries removed earlier may lie in them: throw-away entries from the largest size down to
    // the smallest, each size while the free slots prove that one still fits without a new
    // cluster (larger first, so that a removed entry's run is taken whole rather than split),
    // then the folder is released. Nothing happens where the folder's size is unknown. False
    // when names may remain in it: its size is unknown, or an entry could not be made.
    bool fillFreeSlots(int folderFd);

    // The same for a volume whose data space is full, so that no folder can take another
    // cluster: throw-away entries from the largest size down to the smallest, each size until
    // the driver refuses one for want of room, whatever size the folder reports. Each run of
    // free slots is then taken whole by one entry of its length (runs longer than the largest
    // entry are cut into such entries, and a rest shorter than the smallest stays). False, with
    // a warning, when an entry was refused for another reason.
    bool fillFreeSlotsOfFullVolume(int folderFd);

    // Whether one more byte can still be written on the file system of the open folder DIRFD:
    // by its count of free blocks, or where it counts none, by a throw-away entry that is given
    // one byte, flushed, and removed again. False on file systems that keep no removed names.
    bool takesAnotherByte(int dirFd);

    // Releases every folder that still holds throw-away entries (the end of a run or anchor).
    void releaseAll();

    // Throw-away entries made so far in this run (for tests and the benchmark).
    std::uint64_t fillersMade() const { return fillersMade_; }

private:
    using Key = std::pair<dev_t, ino_t>;
    struct Folder {
        int fd = -1;
        std::vector<std::string> fillers;
        struct timespec mtime {};
        bool stopped = false; // no more throw-away entries here
        bool stays = false;   // holds a path the caller named: must not grow
        // Slots the folder has (0 when its size is unknown) and takes, by the format's count,
        // and how many entries it holds besides "." and "..".
        std::uint64_t capacity = 0;
        std::uint64_t used = 0;
        std::uint64_t entries = 0;
    };

    Folder* folderFor(int dirFd, const FolderFormat& format, bool& isNew);
    // The folder FOLDERFD, which stays, where its FORMAT keeps removed names (null elsewhere).
    Folder* stayingFolder(int folderFd, FolderFormat& format);
    bool makeFiller(Folder& folder, const FolderFormat& format, std::size_t slots);
    // Makes a throw-away entry of SLOTS slots; false (with a warning, and no more entries in
    // this folder) when it could not be made or made the folder grow.
    bool placeFiller(Folder& folder, const FolderFormat& format, std::size_t slots);
    // Whether the free slots prove that an entry of SLOTS still fits without a new cluster: were
    // every run of free slots shorter, the runs between and after the entries could not hold
    // that many.
    static bool surelyFits(const Folder& folder, std::size_t slots);
    void countSlots(Folder& folder, const FolderFormat& format);
    void removeFillers(Folder& folder);
    void removeStrays(int dirFd);
    void forget(std::map<Key, Folder>::iterator it, bool restoreTime);

    RandomSource& random_;
    Reporter& reporter_;
    std::map<dev_t, FolderFormat> formats_;
    std::map<Key, Folder> folders_;
    std::uint64_t fillersMade_ = 0;
};

} // namespace srm

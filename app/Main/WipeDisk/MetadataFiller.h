#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <string>

// Overwrites the free metadata blocks of a btrfs volume whose data space the free-space wipe
// holds full. btrfs keeps small files inline and every name in the leaves of its trees, in
// metadata block groups that file data never enters; a deleted file's leaves are freed whole
// there and keep its content and name until the blocks are reused. Empty files with names of
// the longest length (each an inode, a back reference and two folder items in the leaves) are
// made in the work folder until the file system refuses one for want of room, synced (a commit
// frees the blocks the transaction pinned), and made again until a commit gives nothing more;
// then they are removed. Every new tree block is written whole, its unused part zeroed by the
// file system, so every block taken is overwritten.
//
// While the data space is full no new metadata block group can be allocated, so the fill stays
// within the metadata space the volume already has. btrfs reserves data space for a write before
// it knows the data will go inline, so small files with content cannot be made then: names alone
// fill the leaves. What btrfs holds back for its own emergencies (the global reserve) is not
// handed out to new entries; the removal, which may use it, writes copied leaves there.
//
// The entries are named ".korvane_N_" + one random text of this run, so that WipeWorkFolder
// recognises and sweeps those a killed wipe left.
class MetadataFiller {
public:
    struct Result {
        bool ok = false; // filled until refused, and every entry removed again
        bool cancelled = false;
        std::uint64_t entries = 0; // throw-away entries made
        int errorNumber = 0;
        QString error;
    };

    // FOLDERFD: the work folder, open; it stays the caller's.
    MetadataFiller(int folderFd, const std::atomic_bool& cancel)
        : m_folderFd(folderFd), m_cancel(cancel) {}

    Result fill();

    // True when the open file FD is on a file system that keeps small files and names in
    // metadata blocks of its own (btrfs).
    static bool keepsDataInMetadata(int fd);

    // The name of entry INDEX for the run's random text TAG: 255 bytes, the longest a name may be.
    static std::string entryName(std::uint64_t index, const std::string& tag);

    static constexpr std::size_t kNameBytes = 255;
    // Rounds of fill and commit at most; a commit that frees nothing ends them sooner.
    static constexpr int kMaxRounds = 8;

private:
    void removeEntries(std::uint64_t count, const std::string& tag);

    int m_folderFd;
    const std::atomic_bool& m_cancel;
};

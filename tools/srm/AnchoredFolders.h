#pragma once

#include "platform/walk/EntryFacts.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace srm {

// Finds, for an item of the batch mode, the open folder that holds it. An item is given as its
// ANCHOR (the path the user chose: the folders above it are the user's choice and are opened as
// named) and its path RELATIVE to the anchor. Below the anchor every folder is opened with
// O_NOFOLLOW, one component at a time, and must lie on the anchor's own mount: a folder swapped
// for a link, or mounted on, since the item was planned is never entered. Working from open
// folders, a relative path may be far longer than PATH_MAX.
//
// Items arrive in walk order, so the chain of folders opened for one item mostly serves the
// next: only the components that differ are opened.
class AnchoredFolders {
public:
    enum class Result {
        Found,   // HOLDER is open; the leaf may or may not exist
        Missing, // a folder on the way is gone
        Changed, // a folder on the way is now a link, a file, or another mount
        Error,   // a folder on the way could not be opened (ERROR says why)
    };

    struct Holder {
        int fd = -1;           // the open folder holding the item (owned by this object)
        std::string leaf;      // the item's name in it
        bool topLevel = false; // the item is the anchor itself
        // Changes whenever this object closes a folder: while it stays the same, the same FD
        // is the same open folder (its number cannot have been given to another).
        std::uint64_t generation = 0;
    };

    AnchoredFolders() = default;
    ~AnchoredFolders();
    AnchoredFolders(const AnchoredFolders&) = delete;
    AnchoredFolders& operator=(const AnchoredFolders&) = delete;

    Result open(const std::string& anchor, const std::string& relative, Holder& holder, int& error);

    // The folder above the current anchor (-1 when none is open).
    int anchorParentFd() const { return parentFd_; }
    const std::string& anchor() const { return anchor_; }

    // The anchor as it was when it was first opened: the reference for mounts below it.
    const safewalk::EntryFacts& anchorFacts() const { return anchorFacts_; }

private:
    void closeChain(std::size_t keep);
    void closeAll();
    Result openAnchor(const std::string& anchor, int& error);

    std::string anchor_;
    int parentFd_ = -1;
    std::string anchorName_;
    safewalk::EntryFacts anchorFacts_;
    bool anchorKnown_ = false;
    // The open folders from the anchor down: chain_[0] is the anchor folder itself.
    std::vector<std::pair<std::string, int>> chain_;
    std::uint64_t generation_ = 0;
};

} // namespace srm

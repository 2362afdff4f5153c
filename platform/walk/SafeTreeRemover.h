#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace safewalk {

// Removes a file, a link (as a link: its target is never touched) or a folder with everything
// in it, without overwriting anything. The folder's contents are reached through SafeWalk: no
// link is followed and no mount inside is entered, so a mount point inside makes its folders
// stay, as does anything that cannot be removed; the rest still goes.
class SafeTreeRemover {
public:
    struct Result {
        bool removed = false;      // PATH is gone
        std::uint64_t entries = 0; // entries removed
        // What stayed, with why ("relative path: reason"), the first few only.
        std::vector<std::string> problems;
        int firstError = 0;
    };

    // PATH must be absolute; "/" and paths ending in "/." or "/.." are refused.
    static Result remove(const std::string& path);
};

} // namespace safewalk

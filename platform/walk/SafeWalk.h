#pragma once

#include "platform/walk/EntryFacts.h"

#include <cstddef>
#include <string>

namespace safewalk {

// The one walk through a chosen file or folder that everything leading to removal uses. It
// never follows a symbolic link and never enters another mount (a bind mount of the same file
// system included): such a folder is reported as a mount point and left alone. Everything below
// the top is reached through open folder descriptors (openat with O_NOFOLLOW), so a folder
// swapped for a link while the walk runs is not followed, depth beyond PATH_MAX is no obstacle,
// and names are kept as the bytes the file system holds, whatever their encoding.
//
// The order is depth first with contents before their folder: every folder is reported after
// all that is inside it. A folder's names are all read before any of them is reported, so a
// visitor may rename or remove entries as it goes.
class SafeWalk {
public:
    enum class Kind { File, Folder, Link, Special, MountPoint };

    struct Entry {
        int dirFd;                   // the open folder that holds the entry
        const std::string& name;     // its name in that folder
        const std::string& relative; // its path below the top ("" for the top itself)
        const EntryFacts& facts;
        Kind kind;
        std::size_t depth; // 0 for the top
    };

    class Visitor {
    public:
        virtual ~Visitor() = default;
        // Every entry that is not a folder to be entered: files, links, special files, and
        // folders where something else is mounted. False stops the walk.
        virtual bool visit(const Entry& entry) = 0;
        // A folder, once everything inside it was visited. COMPLETE is false when part of it
        // could not be read (problem() said why). False stops the walk.
        virtual bool leaveFolder(const Entry& entry, bool complete) = 0;
        // A folder about to be entered (the top too): false leaves it out, unlisted and unvisited
        // (leaveFolder is not called for it).
        virtual bool enterFolder(const Entry& entry) {
            (void)entry;
            return true;
        }
        // Something could not be read: RELATIVE names it below the top.
        virtual void problem(const std::string& relative, const char* operation, int error) {
            (void)relative;
            (void)operation;
            (void)error;
        }
    };

    // Walks entry NAME of the open folder PARENTFD and, when it is a folder, everything inside
    // it on its own mount. False when the visitor stopped the walk or the top could not be read.
    static bool walk(int parentFd, const std::string& name, Visitor& visitor);

    static Kind kindOf(const EntryFacts& facts, const EntryFacts& top);
};

} // namespace safewalk

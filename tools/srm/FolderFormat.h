#pragma once

#include <cstddef>
#include <string>

namespace srm {

class RandomSource;

// How the file system of a folder keeps the names of its entries, and what that means for a
// removed name.
//
// Most Linux file systems rewrite a directory entry in place when it is renamed or removed, so
// the renames before a removal are what hides a name. FAT and exFAT do not: a removed entry only
// gets a "deleted" mark and keeps its name, in 32-byte slots of the folder, until a new entry
// takes those slots. A rename there writes a new entry elsewhere and leaves the old one behind.
// For these two the only way to the old slots is through new entries: the drivers place a new
// entry in the first run of free slots long enough for it, so an entry of exactly the slot count
// of the removed one, made right after the removal, lands on it.
//
// ext2, ext3 and ext4 rename by adding the new entry wherever it fits and removing the old one
// exactly as an unlink does: a rename there never overwrites a name, costs more than the removal
// itself, and its new entry can split a full block of the folder, copying other names. What
// hides a name there is the removal, which since Linux 5.14 wipes the removed entry, name and
// all; so there names are removed without renames.
class FolderFormat {
public:
    enum class Kind {
        InPlace, // names are rewritten in place (xfs, btrfs, tmpfs, ...)
        Ext,     // ext2/3/4: renamed names are removed as unlinked ones, the removal hides them
        Fat,     // FAT12/16/32 with long names: one short-name slot, one slot per 13 characters
        Exfat,   // exFAT: two slots, one per 15 characters
    };

    FolderFormat() = default;
    FolderFormat(Kind kind, bool alwaysLongNames, bool winntNames = false)
        : kind_(kind), alwaysLongNames_(alwaysLongNames), winntNames_(winntNames) {}

    // The format of the file system that holds the open folder DIRFD. Under FUSE the mount's
    // type (and, for a block device mount, the device's boot sector when it can be read) tells.
    static FolderFormat of(int dirFd);

    Kind kind() const { return kind_; }
    bool keepsRemovedNames() const { return kind_ == Kind::Fat || kind_ == Kind::Exfat; }
    // True where renaming an entry to random names before its removal hides its own name.
    bool renamesHideNames() const { return kind_ == Kind::InPlace; }

    // Slots that the entry NAME (UTF-8) takes in a folder.
    std::size_t slotsFor(const std::string& name) const;
    // The smallest and largest slot counts one entry can take.
    std::size_t minSlots() const;
    std::size_t maxSlots() const;

    // A new throw-away name that takes exactly SLOTS slots (between minSlots() and maxSlots()).
    std::string fillerName(std::size_t slots, RandomSource& random) const;
    // True for names fillerName() makes, of either form.
    static bool isFillerName(const std::string& name);

private:
    Kind kind_ = Kind::InPlace;
    // The FUSE FAT driver writes a long name for every entry; the kernel's leaves an upper-case
    // 8.3 name without one.
    bool alwaysLongNames_ = false;
    // Mounted with shortname=winnt: an 8.3 name whose base and extension are each of one case
    // is stored without a long name too.
    bool winntNames_ = false;
};

} // namespace srm

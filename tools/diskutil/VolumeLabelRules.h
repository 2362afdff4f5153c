#pragma once

#include <string>

namespace diskutil {

// What a volume name may be on each file system, so that a name is refused with a reason
// instead of being cut short or mangled by the file-system tool. FAT names are upper case:
// the name is changed to upper case, not refused, as FAT tools and systems do themselves.
class VolumeLabelRules {
public:
    // The name as the file system TYPE (blkid's name: "vfat", "exfat", "ntfs", "ext4", "btrfs",
    // "xfs") will hold it: upper case for FAT, otherwise as given.
    static std::string normalised(const std::string& type, const std::string& name);
    // Empty when NAME (UTF-8) may be the name of a TYPE volume; otherwise why not.
    static std::string whyInvalid(const std::string& type, const std::string& name);
};

} // namespace diskutil

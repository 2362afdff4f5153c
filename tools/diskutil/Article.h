#pragma once

#include <string>

namespace diskutil {

// "a" or "an" before a file-system name in a message, as the name is spoken: "an ext4", "an
// exFAT", "an NTFS", "an XFS" (letters said one by one), but "a btrfs", "a vfat", "a FAT32".
class Article {
public:
    // The article and WORD: "an ext4 volume" from Article::before("ext4") + " volume".
    static std::string before(const std::string& word);
};

} // namespace diskutil

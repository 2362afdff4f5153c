#include "VolumeLabelRules.h"

#include "Article.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace diskutil {
namespace {

// NAME's code points; false when it is not valid UTF-8.
bool decode(const std::string& name, std::vector<std::uint32_t>& points) {
    for (std::size_t i = 0; i < name.size();) {
        const unsigned char lead = static_cast<unsigned char>(name[i]);
        int extra = -1;
        if (lead < 0x80) {
            extra = 0;
        } else if ((lead >> 5) == 6) {
            extra = 1;
        } else if ((lead >> 4) == 14) {
            extra = 2;
        } else if ((lead >> 3) == 30) {
            extra = 3;
        }
        if (extra < 0 || i + std::size_t(extra) >= name.size() + (extra == 0 ? 1 : 0)) {
            return false; // not a lead byte, or cut short
        }
        std::uint32_t point = extra == 0 ? lead : lead & (0x3f >> extra);
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(name[i + std::size_t(k)]);
            if ((next >> 6) != 2) {
                return false;
            }
            point = (point << 6) | (next & 0x3f);
        }
        points.push_back(point);
        i += std::size_t(extra) + 1;
    }
    return true;
}

std::size_t utf16Units(const std::vector<std::uint32_t>& points) {
    std::size_t units = 0;
    for (const std::uint32_t point : points) {
        units += point > 0xffff ? 2 : 1;
    }
    return units;
}

std::string plural(std::size_t count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

} // namespace

std::string VolumeLabelRules::normalised(const std::string& type, const std::string& name) {
    if (type != "vfat") {
        return name;
    }
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : char(c); });
    return upper;
}

std::string VolumeLabelRules::whyInvalid(const std::string& type, const std::string& name) {
    std::vector<std::uint32_t> points;
    if (!decode(name, points)) {
        return "the name is not valid text";
    }
    if (name.empty()) {
        return "the name is empty";
    }
    for (const std::uint32_t point : points) {
        if (point < 0x20 || point == 0x7f) {
            return "the name may not hold control characters";
        }
    }
    // The label tools take a name that starts with "-" for an option.
    if (name[0] == '-') {
        return "the name may not start with \"-\"";
    }
    if (type == "vfat") {
        const std::string forbidden = "\"*+,./:;<=>?[\\]|";
        for (const std::uint32_t point : points) {
            if (point > 0x7e) {
                return "an MS-DOS (FAT) name may hold only plain letters, digits, spaces and "
                       "simple signs";
            }
            if (forbidden.find(char(point)) != std::string::npos) {
                return std::string("an MS-DOS (FAT) name may not hold ") + char(point);
            }
        }
        return name.size() > 11 ? "an MS-DOS (FAT) name has at most 11 characters" : "";
    }
    if (type == "exfat" || type == "ntfs") {
        const std::string forbidden = "\"*/:<>?\\|";
        for (const std::uint32_t point : points) {
            if (point < 0x80 && forbidden.find(char(point)) != std::string::npos) {
                return std::string(type == "exfat" ? "an ExFAT" : "an NTFS") +
                       " name may not hold " + char(point);
            }
        }
        const std::size_t limit = type == "exfat" ? 15 : 128;
        return utf16Units(points) > limit ? std::string(type == "exfat" ? "an ExFAT" : "an NTFS") +
                                                " name has at most " + plural(limit, "character")
                                          : "";
    }
    // These hold bytes: the limit counts the UTF-8 bytes.
    std::size_t limit = 0;
    if (type == "ext2" || type == "ext3" || type == "ext4") {
        limit = 16;
    } else if (type == "xfs") {
        limit = 12;
    } else if (type == "btrfs") {
        limit = 255;
    } else {
        return "volumes of type " + type + " cannot be named here";
    }
    return name.size() > limit
               ? "the name of " + Article::before(type) + " volume has at most " +
                     plural(limit, "byte") + " (letters outside plain ASCII take more than one)"
               : "";
}

} // namespace diskutil

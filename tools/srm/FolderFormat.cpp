#include "FolderFormat.h"

#include "RandomSource.h"

#include "platform/walk/EntryFacts.h"

#include <cstring>
#include <fcntl.h>
#include <libmount/libmount.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace srm {
namespace {

// f_type values of statfs(2); linux/magic.h of older systems lacks the exFAT one.
constexpr long kMsdosMagic = 0x4d44;
constexpr long kExfatMagic = 0x2011BAB0;
constexpr long kExtMagic = 0xEF53;
constexpr long kFuseMagic = 0x65735546;

constexpr std::size_t kFatCharsPerSlot = 13;
constexpr std::size_t kExfatCharsPerSlot = 15;
constexpr std::size_t kMaxNameChars = 255;

const char kFillerSuffix[] = ".srm~";  // every long filler name ends so
const char kShortFillerExt[] = ".SR~"; // the 8.3 form: eight letters or digits, then this

// Length of a UTF-8 name in UTF-16 code units, which is what both formats store. A byte that
// is not valid UTF-8 counts as one unit.
std::size_t utf16Length(const std::string& name) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < name.size();) {
        const auto c = static_cast<unsigned char>(name[i]);
        std::size_t length = c < 0x80           ? 1
                             : (c >> 5) == 0x6  ? 2
                             : (c >> 4) == 0xE  ? 3
                             : (c >> 3) == 0x1E ? 4
                                                : 1;
        if (i + length > name.size()) {
            length = 1;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(name[i + k]) & 0xC0) != 0x80) {
                length = 1;
                break;
            }
        }
        units += length == 4 ? 2 : 1;
        i += length;
    }
    return units;
}

bool shortNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           std::strchr("!#$%&'()-@^_`{}~", c) != nullptr;
}

enum class Case { None, Upper, Lower, Mixed };

Case caseOf(const std::string& part) {
    bool upper = false, lower = false;
    for (char c : part) {
        upper = upper || (c >= 'A' && c <= 'Z');
        lower = lower || (c >= 'a' && c <= 'z');
    }
    return upper && lower ? Case::Mixed : upper ? Case::Upper : lower ? Case::Lower : Case::None;
}

// True when the kernel's FAT driver stores NAME as an 8.3 entry alone: a valid 8.3 name whose
// letters are all upper case, or (shortname=winnt) whose base and extension each are of one case.
bool storedAsShortNameOnly(const std::string& name, bool eachPartOneCase) {
    const std::size_t dot = name.find('.');
    const std::string base = name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3 ||
        (dot != std::string::npos && (ext.empty() || ext.find('.') != std::string::npos))) {
        return false;
    }
    for (char c : base + ext) {
        if (!shortNameChar(c)) {
            return false;
        }
    }
    const Case b = caseOf(base), e = caseOf(ext);
    if (b == Case::Mixed || e == Case::Mixed) {
        return false;
    }
    if (eachPartOneCase) {
        return true;
    }
    return b != Case::Lower && e != Case::Lower;
}

struct MountLine {
    std::string type;
    std::string source;
    std::string superOptions;
};

// The mount MOUNTID of this process's mount table, read by libmount (which also undoes the
// table's escapes).
bool findMount(std::uint64_t mountId, MountLine& found) {
    libmnt_table* table = mnt_new_table_from_file("/proc/self/mountinfo");
    if (table == nullptr) {
        return false;
    }
    const auto text = [](const char* value) { return std::string(value ? value : ""); };
    libmnt_iter* it = mnt_new_iter(MNT_ITER_FORWARD);
    libmnt_fs* fs = nullptr;
    bool ok = false;
    while (!ok && it != nullptr && mnt_table_next_fs(table, it, &fs) == 0) {
        if (std::uint64_t(mnt_fs_get_id(fs)) != mountId) {
            continue;
        }
        found = {text(mnt_fs_get_fstype(fs)), text(mnt_fs_get_source(fs)),
                 text(mnt_fs_get_fs_options(fs))};
        ok = true;
    }
    mnt_free_iter(it);
    mnt_unref_table(table);
    return ok;
}

// An exFAT boot sector names its file system at offset 3. Needs read access to the device,
// which a FUSE driver's user usually has and others have not.
bool deviceIsExfat(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    char sector[11] = {};
    const bool read = ::pread(fd, sector, sizeof sector, 0) == ssize_t(sizeof sector);
    ::close(fd);
    return read && std::memcmp(sector + 3, "EXFAT   ", 8) == 0;
}

FolderFormat fuseFormat(int dirFd) {
    safewalk::EntryFacts facts;
    MountLine mount;
    if (safewalk::readOpen(dirFd, facts) != 0 || !facts.mountIdKnown ||
        !findMount(facts.mountId, mount)) {
        return {};
    }
    if (mount.type == "fuse.fusefat") {
        return {FolderFormat::Kind::Fat, true};
    }
    if (mount.type == "fuse.exfat" || mount.type == "fuse.exfat-fuse" ||
        (mount.type == "fuseblk" && deviceIsExfat(mount.source))) {
        return {FolderFormat::Kind::Exfat, false};
    }
    return {};
}

bool kernelFatUsesWinntNames(int dirFd) {
    safewalk::EntryFacts facts;
    MountLine mount;
    if (safewalk::readOpen(dirFd, facts) != 0 || !facts.mountIdKnown ||
        !findMount(facts.mountId, mount)) {
        return false;
    }
    return ("," + mount.superOptions + ",").find(",shortname=winnt,") != std::string::npos;
}

std::size_t ceilDiv(std::size_t a, std::size_t b) {
    return (a + b - 1) / b;
}

} // namespace

FolderFormat FolderFormat::of(int dirFd) {
    struct statfs fs {};
    if (::fstatfs(dirFd, &fs) != 0) {
        return {};
    }
    switch (static_cast<long>(fs.f_type)) {
    case kMsdosMagic:
        return {Kind::Fat, false, kernelFatUsesWinntNames(dirFd)};
    case kExfatMagic:
        return {Kind::Exfat, false};
    case kExtMagic:
        return {Kind::Ext, false};
    case kFuseMagic:
        return fuseFormat(dirFd);
    default:
        return {};
    }
}

std::size_t FolderFormat::slotsFor(const std::string& name) const {
    const std::size_t units = utf16Length(name);
    switch (kind_) {
    case Kind::Fat:
        if (!alwaysLongNames_ && storedAsShortNameOnly(name, winntNames_)) {
            return 1;
        }
        return 1 + ceilDiv(units, kFatCharsPerSlot);
    case Kind::Exfat:
        return 2 + ceilDiv(units, kExfatCharsPerSlot);
    case Kind::InPlace:
    case Kind::Ext:
        break;
    }
    return 0;
}

std::size_t FolderFormat::minSlots() const {
    switch (kind_) {
    case Kind::Fat:
        return alwaysLongNames_ ? 2 : 1;
    case Kind::Exfat:
        return 3;
    case Kind::InPlace:
    case Kind::Ext:
        break;
    }
    return 0;
}

std::size_t FolderFormat::maxSlots() const {
    switch (kind_) {
    case Kind::Fat:
        return 1 + ceilDiv(kMaxNameChars, kFatCharsPerSlot);
    case Kind::Exfat:
        return 2 + ceilDiv(kMaxNameChars, kExfatCharsPerSlot);
    case Kind::InPlace:
    case Kind::Ext:
        break;
    }
    return 0;
}

std::string FolderFormat::fillerName(std::size_t slots, RandomSource& random) const {
    static const char kLower[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    static const char kUpper[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (kind_ == Kind::Fat && slots <= 1) {
        std::string name(8, 'A');
        for (char& c : name) {
            c = kUpper[random.below(sizeof kUpper - 1)];
        }
        return name + kShortFillerExt;
    }
    // The longest name that still takes SLOTS slots; random letters first, so that the 8.3
    // aliases FAT makes for long names rarely collide.
    const std::size_t perSlot = kind_ == Kind::Fat ? kFatCharsPerSlot : kExfatCharsPerSlot;
    const std::size_t fixed = kind_ == Kind::Fat ? 1 : 2;
    std::size_t length = slots > fixed ? (slots - fixed) * perSlot : perSlot;
    if (length > kMaxNameChars) {
        length = kMaxNameChars;
    }
    const std::size_t suffix = sizeof kFillerSuffix - 1;
    std::string name(length - suffix, 'a');
    for (char& c : name) {
        c = kLower[random.below(sizeof kLower - 1)];
    }
    return name + kFillerSuffix;
}

bool FolderFormat::isFillerName(const std::string& name) {
    const std::size_t suffix = sizeof kFillerSuffix - 1;
    if (name.size() >= 8 + suffix &&
        name.compare(name.size() - suffix, suffix, kFillerSuffix) == 0) {
        for (std::size_t i = 0; i + suffix < name.size(); ++i) {
            const char c = name[i];
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))) {
                return false;
            }
        }
        return true;
    }
    const std::size_t ext = sizeof kShortFillerExt - 1;
    if (name.size() == 8 + ext && name.compare(8, ext, kShortFillerExt) == 0) {
        for (std::size_t i = 0; i < 8; ++i) {
            const char c = name[i];
            if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))) {
                return false;
            }
        }
        return true;
    }
    return false;
}

} // namespace srm

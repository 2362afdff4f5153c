#include "MountTable.h"

#include <libmount/libmount.h>

namespace diskutil {
namespace {

std::string text(const char* value) {
    return value != nullptr ? std::string(value) : std::string();
}

bool isUnder(const std::string& path, const std::string& folder) {
    if (folder == "/") {
        return !path.empty() && path[0] == '/';
    }
    return path == folder ||
           (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            path[folder.size()] == '/');
}

} // namespace

MountTable MountTable::read(const std::string& file) {
    MountTable table;
    libmnt_table* mounts =
        mnt_new_table_from_file(file.empty() ? "/proc/self/mountinfo" : file.c_str());
    if (mounts == nullptr) {
        return table;
    }
    libmnt_iter* iter = mnt_new_iter(MNT_ITER_FORWARD);
    libmnt_fs* fs = nullptr;
    while (iter != nullptr && mnt_table_next_fs(mounts, iter, &fs) == 0) {
        table.entries_.push_back({text(mnt_fs_get_source(fs)), text(mnt_fs_get_target(fs)),
                                  text(mnt_fs_get_fstype(fs)), text(mnt_fs_get_options(fs)),
                                  text(mnt_fs_get_root(fs))});
    }
    mnt_free_iter(iter);
    mnt_unref_table(mounts);
    return table;
}

std::vector<MountEntry> MountTable::mountsOf(const std::string& device) const {
    std::vector<MountEntry> found;
    for (const MountEntry& entry : entries_) {
        if (entry.source == device) {
            found.push_back(entry);
        }
    }
    return found;
}

const MountEntry* MountTable::holding(const std::string& path) const {
    const MountEntry* best = nullptr;
    for (const MountEntry& entry : entries_) {
        if (isUnder(path, entry.target) &&
            (best == nullptr || entry.target.size() >= best->target.size())) {
            best = &entry;
        }
    }
    return best;
}

} // namespace diskutil

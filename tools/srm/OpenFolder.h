#pragma once

#include <sys/stat.h>
#include <sys/types.h>

namespace srm {

// An open folder that entries are renamed in and removed from, with what is already known of
// it, so that a run over many entries of one folder does not look the folder up for each.
struct OpenFolder {
    int fd = -1;
    dev_t device = 0; // the file system it is on
    // Its immutable and append-only flags were already cleared where the folder itself is being
    // erased (otherwise it would keep every name it holds).
    bool protectionCleared = false;

    // FD as it is now; false when it cannot be looked at.
    static bool of(int fd, OpenFolder& folder) {
        struct stat st {};
        if (::fstat(fd, &st) != 0) {
            return false;
        }
        folder = {fd, st.st_dev, false};
        return true;
    }
};

} // namespace srm

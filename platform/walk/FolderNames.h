#pragma once

#include <string>
#include <vector>

namespace safewalk {

// Appends the names in the open folder FD ("." and ".." left out) to NAMES, read straight from
// the descriptor with getdents64: no duplicate descriptor, no directory stream and its 32 KiB
// buffer, which cost five system calls and an allocation per folder on walks of many small
// folders. FD is read from where it stands, which for a folder just opened is its start; it is
// left at the end. 0, or errno (the names read before the error stay in NAMES).
int readFolderNames(int fd, std::vector<std::string>& names);

} // namespace safewalk

#pragma once

#include "Overwriter.h"
#include "PassPlan.h"
#include "RandomSource.h"
#include "Reporter.h"
#include "SrmOptions.h"

#include <string>
#include <sys/stat.h>

namespace srm {

// Erases the paths of the command line. Everything below a path is reached through directory
// descriptors (openat, fdopendir, unlinkat), never by re-walking a path, so a name swapped for a
// link during the run cannot redirect the erasure; a symbolic link is never followed.
class SecureRemover {
public:
    SecureRemover(const SrmOptions& options, RandomSource& random, Reporter& reporter);

    // Erases one command-line path; false when anything was left undone (each failure reported).
    bool erase(const std::string& path);

    // Reached for tests that watch or disturb the passes.
    Overwriter& overwriter() { return overwriter_; }

private:
    bool eraseEntry(int dirFd, const std::string& name, const std::string& shown,
                    const struct stat& seen, dev_t rootDevice, bool topLevel);
    bool eraseFile(int dirFd, const std::string& name, const std::string& shown,
                   const struct stat& seen);
    bool eraseFolder(int dirFd, const std::string& name, const std::string& shown,
                     const struct stat& seen, dev_t rootDevice);
    bool removeName(int dirFd, const std::string& name, const std::string& shown, bool folder,
                    const struct stat& seen);
    std::string hideName(int dirFd, const std::string& name, const std::string& shown);

    const SrmOptions& options_;
    RandomSource& random_;
    Reporter& reporter_;
    Overwriter overwriter_;
};

} // namespace srm

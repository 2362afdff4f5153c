#pragma once

#include <cstdint>
#include <string>
#include <sys/stat.h>

// How a copy's partial files are told apart from everything else in a destination, so that
// only they are ever removed as leftovers. A file being copied is written under the hidden name
// ".kvcopy-<run>-<n>-<check>.part", where <run> is the copy run's id (16 hex digits), <n> counts
// the run's files and <check> is 8 hex digits derived from both, and it carries the extended
// attribute user.korvane.copy-run = <run>. Ours is a regular file with such a name whose
// attribute names the same run. Where the file system holds no extended attributes at all (FAT,
// exFAT), the name with its matching check value is the mark: a user's file does not carry one
// by chance.
class CopyPartialMark {
public:
    static constexpr const char* kAttribute = "user.korvane.copy-run";

    // A new run id: 16 lower-case hex digits from the kernel's random source.
    static std::string newRunId();
    // The name of the Nth partial file of run RUNID.
    static std::string partialName(const std::string& runId, std::uint64_t n);
    // The run id in NAME when NAME is a partial file name with a matching check value, else "".
    static std::string runIdOf(const std::string& name);

    // Creates a partial file of run RUNID in FOLDER, marked before it has a name where the file
    // system allows (O_TMPFILE), so that even a kill -9 cannot leave it named but unmarked. Its
    // counter is the one after COUNTER, which is moved on. The descriptor (open for writing)
    // with PATH set, or -1 with errno set.
    static int create(const std::string& folder, const std::string& runId, std::uint64_t& counter,
                      std::string& path);
    // Marks the open file FD as a partial file of RUNID. 0; EOPNOTSUPP when the file system holds
    // no extended attributes (its name alone marks it then); another errno when marking failed.
    static int mark(int fd, const std::string& runId);

    enum class Verdict {
        NotPartial, // not named like a partial file
        Unmarked,   // named like one, but not a regular file carrying our mark: not ours
        Ours,
    };
    // Looks at entry NAME of the open folder DIRFD, whose status (not following it) is ST. For
    // Ours, RUNID gets the run that wrote it. Never follows a link.
    static Verdict examine(int dirFd, const std::string& name, const struct stat& st,
                           std::string& runId);
};

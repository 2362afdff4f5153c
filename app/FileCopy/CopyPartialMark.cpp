#include "app/FileCopy/CopyPartialMark.h"

#include "app/duplicat/Duplicate/crc.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

constexpr char kPrefix[] = ".kvcopy-";
constexpr char kSuffix[] = ".part";
constexpr std::size_t kRunDigits = 16, kCheckDigits = 8, kMaxCounterDigits = 20;

bool isLowerHex(const std::string& text) {
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return !text.empty();
}

bool isDecimal(const std::string& text) {
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.empty() && text.size() <= kMaxCounterDigits && (text == "0" || text[0] != '0');
}

// Ties the counter to the run, so that a name made up by hand or by another program does not
// pass for ours.
std::string checkOf(const std::string& runId, const std::string& counter) {
    const std::string text = "kvcopy:" + runId + ":" + counter;
    const std::uint64_t digest = crc::update(crc::kStart, text.data(), text.size());
    char hex[kCheckDigits + 1];
    std::snprintf(hex, sizeof hex, "%08x", unsigned(digest >> 32));
    return hex;
}

bool unsupported(int error) {
    return error == EOPNOTSUPP || error == ENOTSUP || error == ENOSYS;
}

} // namespace

std::string CopyPartialMark::newRunId() {
    std::uint64_t value = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&value);
    std::size_t got = 0;
    while (got < sizeof value) {
        const ssize_t n = ::getrandom(bytes + got, sizeof value - got, 0);
        if (n > 0)
            got += std::size_t(n);
        else if (errno != EINTR)
            break;
    }
    if (got < sizeof value) // no random source: time and process still make a run unique here
        value ^= std::uint64_t(::time(nullptr)) << 20 ^ std::uint64_t(::getpid());
    char hex[kRunDigits + 1];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(value));
    return hex;
}

std::string CopyPartialMark::partialName(const std::string& runId, std::uint64_t n) {
    const std::string counter = std::to_string(n);
    return kPrefix + runId + "-" + counter + "-" + checkOf(runId, counter) + kSuffix;
}

std::string CopyPartialMark::runIdOf(const std::string& name) {
    const std::string prefix = kPrefix, suffix = kSuffix;
    if (name.size() < prefix.size() + kRunDigits + 2 + 1 + kCheckDigits + suffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return {};
    const std::string middle =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const std::size_t first = middle.find('-'), last = middle.rfind('-');
    if (first != kRunDigits || last == first || middle.size() - last - 1 != kCheckDigits)
        return {};
    const std::string runId = middle.substr(0, first);
    const std::string counter = middle.substr(first + 1, last - first - 1);
    const std::string check = middle.substr(last + 1);
    if (!isLowerHex(runId) || !isDecimal(counter) || check != checkOf(runId, counter))
        return {};
    return runId;
}

namespace {

// Gives the unnamed file FD the name PATH: directly where the process may (CAP_DAC_READ_SEARCH),
// else through its /proc entry. 0 or errno.
int linkUnnamed(int fd, const std::string& path) {
    if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    if (errno == EEXIST)
        return EEXIST;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0
                                                                                            : errno;
}

} // namespace

int CopyPartialMark::create(const std::string& folder, const std::string& runId,
                            std::uint64_t& counter, std::string& path) {
    const int unnamed = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (unnamed >= 0) {
        int error = mark(unnamed, runId);
        if (error == 0 || error == EOPNOTSUPP) {
            do
                path = folder + "/" + partialName(runId, ++counter);
            while ((error = linkUnnamed(unnamed, path)) == EEXIST);
        }
        if (error == 0)
            return unnamed;
        ::close(unnamed);
        errno = error;
        return -1;
    }
    // No unnamed files here (FUSE file systems, NFS): made under its name, then marked. Those
    // file systems mostly hold no attributes, and the name is the mark from the start.
    for (;;) {
        path = folder + "/" + partialName(runId, ++counter);
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return -1;
        const int error = mark(fd, runId);
        if (error == 0 || error == EOPNOTSUPP)
            return fd;
        // Unmarked, it could never be told from a user's file were this run killed.
        ::close(fd);
        ::unlink(path.c_str());
        errno = error;
        return -1;
    }
}

int CopyPartialMark::mark(int fd, const std::string& runId) {
    if (::fsetxattr(fd, kAttribute, runId.data(), runId.size(), 0) == 0)
        return 0;
    return unsupported(errno) ? EOPNOTSUPP : errno;
}

CopyPartialMark::Verdict CopyPartialMark::examine(int dirFd, const std::string& name,
                                                  const struct stat& st, std::string& runId) {
    const std::string named = runIdOf(name);
    if (named.empty())
        return Verdict::NotPartial;
    if (!S_ISREG(st.st_mode))
        return Verdict::Unmarked;
    // O_NONBLOCK and O_NOCTTY: should the entry have been swapped for a fifo or a terminal
    // meanwhile, opening it neither hangs nor takes it over; O_NOFOLLOW refuses a link.
    const int fd =
        ::openat(dirFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Verdict::Unmarked;
    struct stat opened {};
    Verdict verdict = Verdict::Unmarked;
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_dev == st.st_dev &&
        opened.st_ino == st.st_ino) {
        char value[kRunDigits + 1] = {};
        const ssize_t n = ::fgetxattr(fd, kAttribute, value, sizeof value);
        if (n == ssize_t(kRunDigits) && named == std::string(value, kRunDigits))
            verdict = Verdict::Ours;
        else if (n < 0 && unsupported(errno))
            verdict = Verdict::Ours; // no attributes here: the checked name is the mark
    }
    ::close(fd);
    if (verdict == Verdict::Ours)
        runId = named;
    return verdict;
}

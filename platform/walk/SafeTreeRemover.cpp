#include "platform/walk/SafeTreeRemover.h"

#include "platform/walk/SafeWalk.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace safewalk {
namespace {

constexpr std::size_t kProblemsKept = 20;

class Remover : public SafeWalk::Visitor {
public:
    explicit Remover(SafeTreeRemover::Result& result) : result_(result) {}

    bool visit(const SafeWalk::Entry& entry) override {
        if (entry.kind == SafeWalk::Kind::MountPoint) {
            note(entry.relative, "something is mounted there; left alone", EBUSY);
            return true;
        }
        unlink(entry, 0);
        return true;
    }

    bool leaveFolder(const SafeWalk::Entry& entry, bool /*complete*/) override {
        unlink(entry, AT_REMOVEDIR);
        return true;
    }

    void problem(const std::string& relative, const char* operation, int error) override {
        note(relative, operation, error);
    }

private:
    void unlink(const SafeWalk::Entry& entry, int flags) {
        if (::unlinkat(entry.dirFd, entry.name.c_str(), flags) == 0) {
            ++result_.entries;
        } else if (errno != ENOENT &&
                   !(flags == AT_REMOVEDIR && errno == ENOTEMPTY && !result_.problems.empty())) {
            // A folder left non-empty by an earlier problem is already explained.
            note(entry.relative, flags == AT_REMOVEDIR ? "remove folder" : "remove", errno);
        }
    }

    void note(const std::string& relative, const char* what, int error) {
        if (result_.firstError == 0) {
            result_.firstError = error;
        }
        if (result_.problems.size() < kProblemsKept) {
            result_.problems.push_back((relative.empty() ? std::string(".") : relative) + ": " +
                                       what + ": " + std::strerror(error));
        }
    }

    SafeTreeRemover::Result& result_;
};

bool refused(const std::string& path) {
    if (path.empty() || path[0] != '/' || path.find_first_not_of('/') == std::string::npos) {
        return true;
    }
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    const std::string last = trimmed.substr(trimmed.rfind('/') + 1);
    return last == "." || last == "..";
}

} // namespace

SafeTreeRemover::Result SafeTreeRemover::remove(const std::string& path) {
    Result result;
    if (refused(path)) {
        result.firstError = EINVAL;
        result.problems.push_back(path + ": refused");
        return result;
    }
    std::string top = path;
    while (top.size() > 1 && top.back() == '/') {
        top.pop_back();
    }
    const std::size_t slash = top.rfind('/');
    const std::string parent = slash == 0 ? "/" : top.substr(0, slash);
    const std::string name = top.substr(slash + 1);
    const int parentFd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd < 0) {
        result.firstError = errno;
        result.removed = errno == ENOENT;
        return result;
    }
    struct stat st {};
    if (::fstatat(parentFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT) {
        ::close(parentFd);
        result.removed = true; // nothing there: already gone
        return result;
    }
    EntryFacts facts;
    if (readEntry(parentFd, name.c_str(), facts) == 0 && facts.mountRoot) {
        ::close(parentFd);
        result.firstError = EBUSY;
        result.problems.push_back(path + ": something is mounted there; left alone");
        return result;
    }
    Remover remover(result);
    SafeWalk::walk(parentFd, name, remover);
    result.removed =
        ::fstatat(parentFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
    ::close(parentFd);
    return result;
}

} // namespace safewalk

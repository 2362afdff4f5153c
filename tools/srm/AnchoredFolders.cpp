#include "AnchoredFolders.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace srm {
namespace {

std::vector<std::string> splitPath(const std::string& relative) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t slash = relative.find('/', start);
        const std::size_t end = slash == std::string::npos ? relative.size() : slash;
        if (end > start) {
            parts.push_back(relative.substr(start, end - start));
        }
        if (slash == std::string::npos) {
            break;
        }
        start = slash + 1;
    }
    return parts;
}

// Opens folder NAME of DIRFD without following a link; on failure, how the caller should see it.
int openBelow(int dirFd, const char* name, int& error, AnchoredFolders::Result& result) {
    const int fd = ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        result = error == ENOENT                      ? AnchoredFolders::Result::Missing
                 : error == ELOOP || error == ENOTDIR ? AnchoredFolders::Result::Changed
                                                      : AnchoredFolders::Result::Error;
    }
    return fd;
}

bool sameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

AnchoredFolders::~AnchoredFolders() {
    closeAll();
}

void AnchoredFolders::closeChain(std::size_t keep) {
    while (chain_.size() > keep) {
        ::close(chain_.back().second);
        chain_.pop_back();
        ++generation_;
    }
}

void AnchoredFolders::closeAll() {
    closeChain(0);
    if (parentFd_ >= 0) {
        ::close(parentFd_);
        ++generation_;
    }
    parentFd_ = -1;
    anchor_.clear();
    anchorKnown_ = false;
}

AnchoredFolders::Result AnchoredFolders::openAnchor(const std::string& anchor, int& error) {
    closeAll();
    std::string trimmed = anchor;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    const std::size_t slash = trimmed.rfind('/');
    const std::string parent = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : trimmed.substr(0, slash);
    anchorName_ = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    parentFd_ = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd_ < 0) {
        error = errno;
        return error == ENOENT ? Result::Missing : Result::Error;
    }
    anchor_ = anchor;
    return Result::Found;
}

AnchoredFolders::Result AnchoredFolders::open(const std::string& anchor,
                                              const std::string& relative, Holder& holder,
                                              int& error) {
    error = 0;
    if (parentFd_ < 0 || anchor != anchor_) {
        if (const Result r = openAnchor(anchor, error); r != Result::Found) {
            return r;
        }
    }
    const std::vector<std::string> parts = splitPath(relative);
    if (parts.empty()) {
        holder = {parentFd_, anchorName_, true, generation_};
        return Result::Found;
    }

    if (chain_.empty()) {
        Result failure = Result::Error;
        const int fd = openBelow(parentFd_, anchorName_.c_str(), error, failure);
        if (fd < 0) {
            return failure;
        }
        safewalk::EntryFacts facts;
        if (safewalk::readOpen(fd, facts) != 0 ||
            (anchorKnown_ && !sameInode(facts.st, anchorFacts_.st))) {
            ::close(fd);
            return Result::Changed;
        }
        if (!anchorKnown_) {
            anchorFacts_ = facts;
            anchorKnown_ = true;
        }
        chain_.emplace_back(anchorName_, fd);
    }

    // chain_[i + 1] holds parts[i]; keep what the previous item already opened.
    std::size_t same = 0;
    while (same + 1 < chain_.size() && same + 1 < parts.size() &&
           chain_[same + 1].first == parts[same]) {
        ++same;
    }
    closeChain(same + 1);
    for (std::size_t i = same; i + 1 < parts.size(); ++i) {
        Result failure = Result::Error;
        const int fd = openBelow(chain_.back().second, parts[i].c_str(), error, failure);
        if (fd < 0) {
            return failure;
        }
        safewalk::EntryFacts facts;
        if (safewalk::readOpen(fd, facts) != 0 || !facts.onSameMountAs(anchorFacts_)) {
            ::close(fd);
            return Result::Changed;
        }
        chain_.emplace_back(parts[i], fd);
    }
    holder = {chain_.back().second, parts.back(), false, generation_};
    return Result::Found;
}

} // namespace srm

#include "platform/walk/SafeWalk.h"

#include "platform/walk/FolderNames.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace safewalk {
namespace {

bool sameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// One open folder of the walk: its descriptor, its names and the next one to look at.
struct Frame {
    int fd = -1;
    int parentFd = -1;
    std::string name;
    std::string relative;
    EntryFacts facts;
    std::vector<std::string> names;
    std::size_t next = 0;
    bool complete = true;
};

// Opens folder NAME of PARENTFD for the walk, checking that it is still the folder that was
// looked at and still on the walk's mount. -1 with PROBLEM set otherwise.
int openFolder(int parentFd, const std::string& name, const EntryFacts& seen, const EntryFacts& top,
               const char*& problem, int& error) {
    const int fd = ::openat(parentFd, name.c_str(),
                            O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        problem = "open folder";
        return -1;
    }
    EntryFacts opened;
    error = readOpen(fd, opened);
    if (error != 0) {
        problem = "stat folder";
    } else if (!sameInode(opened.st, seen.st) || !opened.onSameMountAs(top)) {
        // Replaced by another folder, or something was mounted on it, since it was looked at.
        error = EXDEV;
        problem = "folder changed while being read; not entered";
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}

} // namespace

SafeWalk::Kind SafeWalk::kindOf(const EntryFacts& facts, const EntryFacts& top) {
    const mode_t mode = facts.st.st_mode;
    if (S_ISLNK(mode)) {
        return Kind::Link;
    }
    if (&facts != &top && !facts.onSameMountAs(top)) {
        return Kind::MountPoint;
    }
    if (S_ISDIR(mode)) {
        return Kind::Folder;
    }
    if (S_ISREG(mode)) {
        return Kind::File;
    }
    return Kind::Special;
}

bool SafeWalk::walk(int parentFd, const std::string& name, Visitor& visitor) {
    EntryFacts top;
    if (const int err = readEntry(parentFd, name.c_str(), top); err != 0) {
        visitor.problem("", "lstat", err);
        return false;
    }
    const std::string topRelative;
    if (!S_ISDIR(top.st.st_mode)) {
        return visitor.visit({parentFd, name, topRelative, top, kindOf(top, top), 0});
    }

    std::vector<Frame> stack;
    const auto enter = [&](int holder, const std::string& entryName, std::string relative,
                           const EntryFacts& facts) -> bool {
        const char* problem = nullptr;
        int error = 0;
        const int fd = openFolder(holder, entryName, facts, top, problem, error);
        Frame frame;
        frame.fd = fd;
        frame.parentFd = holder;
        frame.name = entryName;
        frame.relative = std::move(relative);
        frame.facts = facts;
        if (fd < 0) {
            visitor.problem(frame.relative, problem, error);
            frame.complete = false;
        } else if (const int err = readFolderNames(fd, frame.names); err != 0) {
            visitor.problem(frame.relative, "read folder", err);
            frame.complete = false;
        }
        stack.push_back(std::move(frame));
        return true;
    };
    if (!visitor.enterFolder({parentFd, name, topRelative, top, Kind::Folder, 0})) {
        return true;
    }
    enter(parentFd, name, topRelative, top);

    bool going = true;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (!going || frame.next >= frame.names.size()) {
            Frame done = std::move(frame);
            stack.pop_back();
            if (going) {
                going = visitor.leaveFolder({done.parentFd, done.name, done.relative, done.facts,
                                             Kind::Folder, stack.size()},
                                            done.complete);
            }
            if (done.fd >= 0) {
                ::close(done.fd);
            }
            continue;
        }
        const std::string child = frame.names[frame.next++];
        std::string relative = frame.relative.empty() ? child : frame.relative + "/" + child;
        EntryFacts facts;
        if (const int err = readEntry(frame.fd, child.c_str(), facts); err != 0) {
            if (err != ENOENT) { // gone since the folder was read: nothing left to walk
                visitor.problem(relative, "lstat", err);
                frame.complete = false;
            }
            continue;
        }
        const Kind kind = kindOf(facts, top);
        if (kind == Kind::Folder) {
            if (!visitor.enterFolder({frame.fd, child, relative, facts, kind, stack.size()})) {
                continue;
            }
            const int holder = frame.fd; // FRAME may move when the stack grows
            enter(holder, child, std::move(relative), facts);
            continue;
        }
        going = visitor.visit({frame.fd, child, relative, facts, kind, stack.size()});
    }
    return going;
}

} // namespace safewalk

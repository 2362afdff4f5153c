#include "app/Comm/FileTreeSize.h"

#include "platform/Logger.h"

#include <QString>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// One folder of the walk: its identity, to check the way back up, and the subfolders still to
// visit. Entries are read completely when the folder is entered, so it need not stay open.
struct Frame {
    dev_t device;
    ino_t inode;
    std::vector<std::string> subfolders;
};

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// Reads the folder open as FD: adds the sizes of its regular files to TOTAL and collects its
// subfolders. FD stays open and owned by the caller.
bool readFolder(int fd, Frame& frame, quint64& total) {
    struct stat self {};
    if (fstat(fd, &self) != 0)
        return false;
    frame.device = self.st_dev;
    frame.inode = self.st_ino;
    const int listFd = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (listFd < 0)
        return false;
    std::unique_ptr<DIR, DirCloser> dir(fdopendir(listFd));
    if (!dir) {
        close(listFd);
        return false;
    }
    while (dirent* entry = readdir(dir.get())) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        struct stat st {};
        if (fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(st.st_mode))
            total += static_cast<quint64>(st.st_size);
        else if (S_ISDIR(st.st_mode))
            frame.subfolders.emplace_back(name);
    }
    return true;
}

} // namespace

quint64 FileTreeSize::of(const QByteArray& path) {
    if (path.isEmpty())
        return 0;
    struct stat st {};
    if (lstat(path.constData(), &st) != 0)
        return 0;
    if (!S_ISDIR(st.st_mode))
        return S_ISREG(st.st_mode) ? static_cast<quint64>(st.st_size) : 0;

    int fd = open(path.constData(), kDirFlags);
    if (fd < 0)
        return 0;
    quint64 total = 0;
    std::vector<Frame> stack(1);
    if (!readFolder(fd, stack.back(), total)) {
        close(fd);
        return 0;
    }
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (!top.subfolders.empty()) {
            const std::string name = std::move(top.subfolders.back());
            top.subfolders.pop_back();
            const int child = openat(fd, name.c_str(), kDirFlags);
            if (child < 0)
                continue; // an unreadable folder counts 0
            Frame frame;
            if (!readFolder(child, frame, total)) {
                close(child);
                continue;
            }
            close(fd);
            fd = child;
            stack.push_back(std::move(frame));
            continue;
        }
        stack.pop_back();
        if (stack.empty())
            break;
        // Back up to the parent; if the tree was moved meanwhile, ".." is another folder and the
        // walk stops rather than count something outside the tree.
        const int parent = openat(fd, "..", kDirFlags);
        struct stat up {};
        if (parent < 0 || fstat(parent, &up) != 0 || up.st_dev != stack.back().device ||
            up.st_ino != stack.back().inode) {
            Logger::log(QStringLiteral("size of %1: the tree changed while it was measured")
                            .arg(QString::fromLocal8Bit(path)));
            if (parent >= 0)
                close(parent);
            break;
        }
        close(fd);
        fd = parent;
    }
    close(fd);
    return total;
}

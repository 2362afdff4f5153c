#include "app/duplicat/Duplicate/getFileList.h"

#include "platform/Logger.h"
#include "platform/walk/EntryFacts.h"
#include "platform/walk/FolderNames.h"
#include "platform/walk/SafeWalk.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

QByteArray join(const QByteArray& base, const char* name, std::size_t length) {
    QByteArray out;
    out.reserve(base.size() + 1 + qsizetype(length));
    out.append(base);
    if (!base.endsWith('/'))
        out.append('/');
    out.append(name, qsizetype(length));
    return out;
}

} // namespace

// Visits one folder subtree (a folder directly under the root, or a mount met inside one).
class getFileList::Walker : public safewalk::SafeWalk::Visitor {
public:
    // EXPECTED: what the top folder was when it was listed (a folder below the root), or null.
    Walker(getFileList& owner, QByteArray base, QByteArray bundle, Sink& sink,
           const safewalk::EntryFacts* expected = nullptr)
        : m_owner(owner), m_base(std::move(base)), m_bundle(std::move(bundle)), m_sink(sink),
          m_expected(expected) {}

    // The top is still the folder that was listed, on the same mount: else it is not walked.
    bool topUnchanged(const safewalk::SafeWalk::Entry& entry) const {
        if (m_expected == nullptr || entry.depth > 0)
            return true;
        const struct stat& a = entry.facts.st;
        const struct stat& b = m_expected->st;
        if (a.st_dev == b.st_dev && a.st_ino == b.st_ino && S_ISDIR(a.st_mode) &&
            (!entry.facts.mountIdKnown || !m_expected->mountIdKnown ||
             entry.facts.mountId == m_expected->mountId) &&
            entry.facts.mountRoot == m_expected->mountRoot)
            return true;
        Logger::log(QStringLiteral("folder changed while being read; not entered: %1")
                        .arg(fileAttrbItem::displayPath(m_base)));
        return false;
    }

    QByteArray pathOf(const std::string& relative) const {
        return relative.empty() ? m_base : join(m_base, relative.data(), relative.size());
    }

    bool enterFolder(const safewalk::SafeWalk::Entry& entry) override {
        if (m_owner.m_bStopSearch || !topUnchanged(entry))
            return false;
        if (!m_owner.m_bSearchHiddenFile && entry.name[0] == '.' && entry.depth > 0)
            return false; // every entry below it would be skipped as hidden
        const QByteArray path = pathOf(entry.relative);
        m_owner.setCurrentPath(path);
        if (m_owner.m_folderHook)
            m_owner.m_folderHook(path);
        return !m_owner.m_bStopSearch;
    }

    bool visit(const safewalk::SafeWalk::Entry& entry) override {
        if (m_owner.m_bStopSearch)
            return false;
        if (!topUnchanged(entry))
            return true;
        if (!m_owner.m_bSearchHiddenFile && entry.name[0] == '.')
            return true;
        using Kind = safewalk::SafeWalk::Kind;
        if (entry.kind == Kind::File) {
            const QByteArray path = pathOf(entry.relative);
            m_owner.consider(path, entry.facts.st, m_bundle, std::size_t(m_base.size()), m_sink);
        } else if (entry.kind == Kind::MountPoint) {
            // Another file system mounted inside the folder is not part of what was chosen:
            // copies found there could be deleted from a volume the user never picked.
            Logger::log(QStringLiteral("not entering the mount at %1")
                            .arg(fileAttrbItem::displayPath(pathOf(entry.relative))));
        }
        // Links are neither followed nor collected; fifos, sockets and devices are never opened.
        return !m_owner.m_bStopSearch;
    }

    bool leaveFolder(const safewalk::SafeWalk::Entry&, bool) override {
        return !m_owner.m_bStopSearch;
    }

    void problem(const std::string& relative, const char* operation, int error) override {
        Logger::log(QStringLiteral("get contents Of Directory At Path failed %1: %2: %3")
                        .arg(fileAttrbItem::displayPath(pathOf(relative)),
                             QString::fromLatin1(operation),
                             QString::fromLocal8Bit(std::strerror(error))));
    }

private:
    getFileList& m_owner;
    QByteArray m_base;
    QByteArray m_bundle; // the bundle holding m_base, when there is one
    Sink& m_sink;
    const safewalk::EntryFacts* m_expected;
};

struct getFileList::Slot {
    Sink sink;
    std::string name;
    QByteArray path, bundle;
    bool folder = false;
    // A folder below the root, listed by splitFolders: opened through HOLDERFD without following
    // links, and walked only while it is still what SEEN says.
    bool below = false;
    int holderFd = -1;
    safewalk::EntryFacts seen;
};

bool getFileList::isPseudo(int fd) {
    std::lock_guard guard(m_sharedLock);
    return m_pseudo.isPseudo(fd);
}

bool getFileList::isPseudoMount(std::uint64_t mountId) {
    std::lock_guard guard(m_sharedLock);
    return m_pseudo.isPseudoMount(mountId);
}

bool getFileList::firstEntry(const struct stat& st) {
    std::lock_guard guard(m_sharedLock);
    const QPair<quint64, quint64> key{quint64(st.st_dev), quint64(st.st_ino)};
    if (m_mountsEntered.contains(key))
        return false;
    m_mountsEntered.insert(key);
    return true;
}

QString getFileList::currentPath() const {
    std::lock_guard guard(m_pathLock);
    return m_CurrentPath;
}

void getFileList::setCurrentPath(const QByteArray& nativePath) {
    QString display = fileAttrbItem::displayPath(nativePath);
    std::lock_guard guard(m_pathLock);
    m_CurrentPath.swap(display);
}

bool getFileList::IsHiddenFile(const QString& path) {
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        if (part.startsWith(QLatin1Char('.')))
            return true;
    return false;
}

bool getFileList::isSystemFolderName(const QByteArray& name) {
    static const QList<QByteArray> names = {"library", "developer", "system", "volumes", "bin",
                                            "sbin",    "proc",      "sys",    "dev",     "run",
                                            "boot",    "etc",       "usr",    "var"};
    const QByteArray lower = name.toLower();
    return names.contains(lower) || lower.startsWith("lib");
}

bool getFileList::IsSystemDirectory(const QString& path) {
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return !parts.isEmpty() && isSystemFolderName(QFile::encodeName(parts.first()));
}

bool getFileList::hasAppExtension(const char* name, std::size_t length) {
    if (length < 5) // "x.app": a name of just ".app" has no extension
        return false;
    const char* ext = name + length - 4;
    return ext[0] == '.' && (ext[1] | 0x20) == 'a' && (ext[2] | 0x20) == 'p' &&
           (ext[3] | 0x20) == 'p' && ext[-1] != '/';
}

QByteArray getFileList::bundleOf(const QByteArray& path) {
    qsizetype start = 0;
    while (start < path.size()) {
        qsizetype end = path.indexOf('/', start);
        if (end < 0)
            end = path.size();
        if (end > start && hasAppExtension(path.constData() + start, std::size_t(end - start)))
            return path.left(end);
        start = end + 1;
    }
    return {};
}

void getFileList::consider(const QByteArray& path, const struct stat& st, const QByteArray& bundle,
                           std::size_t bundleFrom, Sink& sink) {
    if (!S_ISREG(st.st_mode))
        return;
    const std::uint64_t size = std::uint64_t(st.st_size);
    // A file inside a bundle is no candidate; the bundle enters the list through its first
    // file above the limit (folders count as empty, so a bundle of empty files yields nothing).
    QByteArray inBundle = bundle;
    if (inBundle.isEmpty()) {
        const QByteArray inside = bundleOf(path.mid(qsizetype(bundleFrom)));
        if (!inside.isEmpty())
            inBundle = path.left(qsizetype(bundleFrom)) + inside;
    }
    if (!inBundle.isEmpty()) {
        if (size > m_limit && !sink.bundleSet.contains(inBundle)) {
            sink.bundleSet.insert(inBundle);
            sink.bundles.append(inBundle);
        }
        return;
    }
    if (size <= m_limit)
        return;
    auto item = std::make_shared<fileAttrbItem>();
    item->nativePath = path;
    item->filePathName = fileAttrbItem::displayPath(path);
    item->fileName = item->filePathName.mid(item->filePathName.lastIndexOf(QLatin1Char('/')) + 1);
    item->fileSize = size;
    item->device = st.st_dev;
    item->inode = st.st_ino;
    item->links = st.st_nlink;
    item->mtimeSec = st.st_mtim.tv_sec;
    item->mtimeNsec = st.st_mtim.tv_nsec;
    sink.files.append(std::move(item));
}

void getFileList::walkFolder(int holderFd, const char* name, const QByteArray& path,
                             const QByteArray& bundle, Sink& sink) {
    // Opened with links followed: only the root's own entries are reached this way by a link.
    const int fd = ::openat(holderFd, name, O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        Logger::log(QStringLiteral("get contents Of Directory At Path failed %1: %2")
                        .arg(fileAttrbItem::displayPath(path),
                             QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && !isPseudo(fd) && firstEntry(st)) {
        Walker walker(*this, path, bundle, sink);
        if (!safewalk::SafeWalk::walk(fd, ".", walker) && m_bStopSearch)
            sink.complete = false;
    }
    ::close(fd);
}

void getFileList::walkBelow(Slot& slot) {
    Walker walker(*this, slot.path, slot.bundle, slot.sink, &slot.seen);
    if (!safewalk::SafeWalk::walk(slot.holderFd, slot.name, walker) && m_bStopSearch)
        slot.sink.complete = false;
}

// Replaces folder SLOT by its entries, in the order the walk would meet them: each file as a
// slot of its own, each folder as a slot walked later. False when the folder cannot be entered
// (it then contributes nothing, as a walk of it would). Its descriptor joins HELDFDS.
bool getFileList::expand(int rootFd, Slot& slot, std::vector<Slot>& out,
                         std::vector<int>& heldFds) {
    int fd = -1;
    safewalk::EntryFacts top;
    if (!slot.below) {
        // Directly under the root: opened as walkFolder opens it, links followed.
        fd = ::openat(rootFd, slot.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC);
        struct stat st {};
        if (fd < 0) {
            Logger::log(QStringLiteral("get contents Of Directory At Path failed %1: %2")
                            .arg(fileAttrbItem::displayPath(slot.path),
                                 QString::fromLocal8Bit(std::strerror(errno))));
            return false;
        }
        if (::fstat(fd, &st) != 0 || isPseudo(fd) || !firstEntry(st) ||
            safewalk::readOpen(fd, top) != 0) {
            ::close(fd);
            return false;
        }
    } else {
        fd = ::openat(slot.holderFd, slot.name.c_str(),
                      O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        if (fd < 0 || safewalk::readOpen(fd, top) != 0 || top.st.st_dev != slot.seen.st.st_dev ||
            top.st.st_ino != slot.seen.st.st_ino || !top.onSameMountAs(slot.seen)) {
            Logger::log(QStringLiteral("folder changed while being read; not entered: %1")
                            .arg(fileAttrbItem::displayPath(slot.path)));
            if (fd >= 0)
                ::close(fd);
            return false;
        }
    }
    heldFds.push_back(fd);
    setCurrentPath(slot.path);
    std::vector<std::string> names;
    int error = 0;
    if ((error = safewalk::readFolderNames(fd, names)) != 0)
        Logger::log(QStringLiteral("get contents Of Directory At Path failed %1: %2")
                        .arg(fileAttrbItem::displayPath(slot.path),
                             QString::fromLocal8Bit(std::strerror(error))));
    using Kind = safewalk::SafeWalk::Kind;
    for (std::string& name : names) {
        if (m_bStopSearch) {
            Slot cut;
            cut.sink.complete = false;
            out.push_back(std::move(cut));
            return true;
        }
        if (!m_bSearchHiddenFile && name[0] == '.')
            continue;
        const QByteArray path = join(slot.path, name.data(), name.size());
        safewalk::EntryFacts facts;
        if (const int err = safewalk::readEntry(fd, name.c_str(), facts); err != 0) {
            if (err != ENOENT)
                Logger::log(QStringLiteral("get contents Of Directory At Path failed %1: lstat: %2")
                                .arg(fileAttrbItem::displayPath(path),
                                     QString::fromLocal8Bit(std::strerror(err))));
            continue;
        }
        const Kind kind = safewalk::SafeWalk::kindOf(facts, top);
        if (kind == Kind::Folder) {
            Slot child;
            child.folder = true;
            child.below = true;
            child.holderFd = fd;
            child.name = std::move(name);
            child.path = path;
            child.bundle = slot.bundle;
            if (child.bundle.isEmpty() && hasAppExtension(child.name.data(), child.name.size()))
                child.bundle = path;
            child.seen = facts;
            out.push_back(std::move(child));
        } else if (kind == Kind::File) {
            Slot file;
            consider(path, facts.st, slot.bundle, std::size_t(slot.path.size()), file.sink);
            if (!file.sink.files.isEmpty() || !file.sink.bundles.isEmpty())
                out.push_back(std::move(file));
        } else if (kind == Kind::MountPoint) {
            Logger::log(QStringLiteral("not entering the mount at %1")
                            .arg(fileAttrbItem::displayPath(path)));
        }
    }
    return true;
}

// Lists folders a level at a time (at most three levels) until there are WANTED folders to walk.
void getFileList::splitFolders(int rootFd, std::vector<Slot>& parts, std::size_t wanted,
                               std::vector<int>& heldFds) {
    for (int level = 0; level < 3 && !m_bStopSearch; ++level) {
        const std::size_t folders = std::size_t(
            std::count_if(parts.begin(), parts.end(), [](const Slot& s) { return s.folder; }));
        if (folders == 0 || folders >= wanted)
            return;
        std::vector<Slot> next;
        next.reserve(parts.size() * 2);
        for (Slot& slot : parts) {
            if (!slot.folder || m_bStopSearch)
                next.push_back(std::move(slot));
            else
                expand(rootFd, slot, next, heldFds);
        }
        parts = std::move(next);
    }
}

bool getFileList::getListAtPath(const QString& root, QList<fileAttrbItemPtr>& files,
                                QList<QByteArray>& bundles, std::uint64_t limittedSize) {
    return getListAtPath(QFile::encodeName(root), files, bundles, limittedSize);
}

bool getFileList::getListAtPath(const QByteArray& nativeRoot, QList<fileAttrbItemPtr>& files,
                                QList<QByteArray>& bundles, std::uint64_t limittedSize) {
    m_bStopSearch = false;
    m_mountsEntered.clear();
    QByteArray root = QFile::encodeName(QDir::cleanPath(QFile::decodeName(nativeRoot)));
    if (!nativeRoot.startsWith('/') || root.isEmpty())
        root = nativeRoot;
    const int rootFd = ::open(root.constData(), O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC);
    std::vector<std::string> names;
    int error = 0;
    if (rootFd < 0 || (error = safewalk::readFolderNames(rootFd, names)) != 0) {
        if (rootFd < 0)
            error = errno;
        Logger::log(QStringLiteral("get contents Of Directory At Path failed %1: %2")
                        .arg(fileAttrbItem::displayPath(root),
                             QString::fromLocal8Bit(std::strerror(error))));
        if (rootFd >= 0)
            ::close(rootFd);
        return false;
    }
    m_limit = limittedSize;
    setCurrentPath(root);
    const bool rootHidden = !m_bSearchHiddenFile && IsHiddenFile(QFile::decodeName(root));
    const bool isFsRoot = root == m_systemRoot;
    struct stat rootSt {};
    const bool enter = !rootHidden && !isPseudo(rootFd) && ::fstat(rootFd, &rootSt) == 0;
    if (enter)
        firstEntry(rootSt);
    const QByteArray rootBundle = bundleOf(root);

    // One slot per entry of the root, in the listing's order: a file is considered at once, a
    // folder is walked afterwards (on several threads when asked), and the parts are merged.
    std::vector<Slot> parts;
    parts.reserve(names.size());
    for (const std::string& name : names) {
        if (!enter || m_bStopSearch)
            break;
        const QByteArray path = join(root, name.data(), name.size());
        struct stat st {};
        if (::fstatat(rootFd, name.c_str(), &st, 0) != 0) { // links followed at this level
            Logger::log(
                QStringLiteral("directory not exsts:%1").arg(fileAttrbItem::displayPath(path)));
            continue;
        }
        if (!m_bSearchHiddenFile && name[0] == '.')
            continue;
        struct stat own {};
        const bool viaLink =
            ::fstatat(rootFd, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode);
        if (S_ISDIR(st.st_mode)) {
            if (!m_bSearchSystemDirectory && isFsRoot &&
                isSystemFolderName(QByteArray(name.c_str())))
                continue;
            // The same rule directly under the root: a folder that is another mount is left
            // out (a link directly under the root is followed, as chosen by the user's root).
            safewalk::EntryFacts facts;
            if (!viaLink && safewalk::readEntry(rootFd, name.c_str(), facts) == 0 &&
                facts.mountRoot) {
                Logger::log(QStringLiteral("not entering the mount at %1")
                                .arg(fileAttrbItem::displayPath(path)));
                continue;
            }
            Slot slot;
            slot.folder = true;
            slot.name = name;
            slot.path = path;
            slot.bundle = rootBundle;
            if (slot.bundle.isEmpty() && hasAppExtension(name.data(), name.size()))
                slot.bundle = path;
            parts.push_back(std::move(slot));
            continue;
        }
        if (viaLink && S_ISREG(st.st_mode)) {
            // A link to a file on a pseudo file system (a sysfs attribute) is no candidate.
            const int fd = ::openat(rootFd, name.c_str(), O_PATH | O_CLOEXEC);
            const bool pseudo = fd >= 0 && isPseudo(fd);
            if (fd >= 0)
                ::close(fd);
            if (fd < 0 || pseudo)
                continue;
        }
        Slot slot;
        consider(path, st, rootBundle, std::size_t(root.size()), slot.sink);
        if (!slot.sink.files.isEmpty() || !slot.sink.bundles.isEmpty())
            parts.push_back(std::move(slot));
    }

    const int threads = m_folderHook ? 1 : std::max(1, m_threads);
    std::vector<int> heldFds; // folders listed by splitFolders, holding the slots below them
    if (threads > 1)
        splitFolders(rootFd, parts, std::size_t(threads) * 8, heldFds);

    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (;;) {
            const std::size_t k = next.fetch_add(1);
            if (k >= parts.size())
                return;
            Slot& slot = parts[k];
            if (!slot.folder)
                continue;
            if (m_bStopSearch) {
                slot.sink.complete = false;
                continue;
            }
            if (slot.below)
                walkBelow(slot);
            else
                walkFolder(rootFd, slot.name.c_str(), slot.path, slot.bundle, slot.sink);
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();
    for (const int fd : heldFds)
        ::close(fd);
    ::close(rootFd);

    // Merged in order; after a walk cut short by a stop nothing later is kept.
    QSet<QByteArray> known(bundles.cbegin(), bundles.cend());
    for (Slot& slot : parts) {
        files.append(slot.sink.files);
        for (const QByteArray& b : slot.sink.bundles)
            if (!known.contains(b)) {
                known.insert(b);
                bundles.append(b);
            }
        if (!slot.sink.complete)
            break;
    }
    return true;
}

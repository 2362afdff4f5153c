#include "app/duplicat/Duplicate/FindDuplicateApp.h"

#include "app/duplicat/Duplicate/algorithm.h"
#include "platform/Logger.h"
#include "platform/walk/SafeWalk.h"

#include <algorithm>
#include <fcntl.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

// Every entry below a bundle that is not a folder, through the shared walk (no link followed).
class BundleFiles : public safewalk::SafeWalk::Visitor {
public:
    explicit BundleFiles(AppAttrbItem& bundle) : m_bundle(bundle) {}
    bool visit(const safewalk::SafeWalk::Entry& entry) override {
        using Kind = safewalk::SafeWalk::Kind;
        if (entry.depth == 0)
            return false; // the bundle itself is not a folder
        if (entry.kind == Kind::Link) {
            // A link counts as a file of its own size; a link to a folder counts as a folder.
            struct stat target {};
            if (::fstatat(entry.dirFd, entry.name.c_str(), &target, 0) == 0 &&
                S_ISDIR(target.st_mode))
                return true;
        } else if (entry.kind != Kind::File) {
            m_bundle.hasSpecialEntries = true; // fifo, device, socket, another mount
            return true;
        }
        auto item = std::make_shared<fileAttrbItem>();
        item->nativePath = m_bundle.nativePath + '/' + QByteArray(entry.relative.c_str());
        item->filePathName = fileAttrbItem::displayPath(item->nativePath);
        item->fileName = fileAttrbItem::displayPath(QByteArray(entry.name.c_str()));
        item->fileSize = std::uint64_t(entry.facts.st.st_size);
        item->device = entry.facts.st.st_dev;
        item->inode = entry.facts.st.st_ino;
        item->links = entry.facts.st.st_nlink;
        item->mtimeSec = entry.facts.st.st_mtim.tv_sec;
        item->mtimeNsec = entry.facts.st.st_mtim.tv_nsec;
        if (entry.kind == Kind::Link)
            m_links.append(item);
        m_bundle.DirectorySize += item->fileSize;
        m_bundle.AllFileInDirectory.append(std::move(item));
        return true;
    }
    bool leaveFolder(const safewalk::SafeWalk::Entry&, bool complete) override {
        m_complete = m_complete && complete;
        return true;
    }
    bool m_complete = true;
    QList<fileAttrbItemPtr> m_links;

private:
    AppAttrbItem& m_bundle;
};

// A link's "content" is its target text.
bool digestLink(fileAttrbItem& item) {
    QByteArray target(4096, '\0');
    const ssize_t n = ::readlink(item.nativePath.constData(), target.data(), target.size());
    if (n < 0)
        return false;
    item.md5_1k = item.md5 = ~std::uint64_t(0) ^ qHashBits(target.constData(), std::size_t(n), 1);
    return true;
}

} // namespace

QString FindDuplicateApp::currentSearchFile() const {
    std::lock_guard guard(m_lock);
    return m_CurrentSearchFile;
}

bool FindDuplicateApp::getAllFilePathName(AppAttrbItem& bundle) {
    const int parent = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return false;
    BundleFiles files(bundle);
    const QByteArray relative = bundle.nativePath.mid(1);
    const bool ok =
        safewalk::SafeWalk::walk(parent, relative.toStdString(), files) && files.m_complete;
    ::close(parent);
    for (const fileAttrbItemPtr& link : files.m_links)
        if (!digestLink(*link))
            link->headFailed = link->wholeFailed = true;
    return ok;
}

QList<AppAttrbItemPtr>
FindDuplicateApp::InitInputAppDirectory(const QList<QByteArray>& bundlePaths) {
    QList<AppAttrbItemPtr> records;
    for (const QByteArray& path : bundlePaths) {
        auto bundle = std::make_shared<AppAttrbItem>();
        bundle->nativePath = path;
        bundle->DirectoryPathName = fileAttrbItem::displayPath(path);
        bundle->DirectoryName = bundle->DirectoryPathName.mid(
            bundle->DirectoryPathName.lastIndexOf(QLatin1Char('/')) + 1);
        if (!path.startsWith('/') || !getAllFilePathName(*bundle)) {
            Logger::log(QStringLiteral("bundle left out, its contents cannot be listed: %1")
                            .arg(bundle->DirectoryPathName));
            continue;
        }
        records.append(bundle);
    }
    return records;
}

void FindDuplicateApp::getSameSizeDirInArray(const QList<AppAttrbItemPtr>& records,
                                             const AppAttrbItemPtr& item,
                                             QList<AppAttrbItemPtr>& out) {
    for (const AppAttrbItemPtr& other : records)
        if (other->DirectorySize == item->DirectorySize)
            out.append(other);
}

bool FindDuplicateApp::digestAll(AppAttrbItem& bundle, algorithm& engine) {
    for (const fileAttrbItemPtr& file : bundle.AllFileInDirectory) {
        if (m_StopSearch)
            return false;
        if (!engine.ensureHead(*file) || !engine.ensureWhole(*file))
            return false;
    }
    return true;
}

bool FindDuplicateApp::CompareDir(const AppAttrbItemPtr& a, const AppAttrbItemPtr& b) {
    if (!a || !b || a->AllFileInDirectory.size() != b->AllFileInDirectory.size())
        return false;
    if (a->hasSpecialEntries || b->hasSpecialEntries)
        return false;
    // Pairing each file of A with "the first unmatched file of B with the same size, head and whole
    // digest") is a matching under an equivalence: it succeeds exactly when both bundles hold
    // the same multiset of (size, head, whole). Digests are kept on the records: the values do
    // not change when computed again.
    algorithm engine;
    engine.setStopFlag(&m_StopSearch);
    if (!digestAll(*a, engine) || !digestAll(*b, engine))
        return false;
    using Key = std::tuple<std::uint64_t, std::uint64_t, std::uint64_t>;
    const auto keys = [](const AppAttrbItem& bundle) {
        std::vector<Key> out;
        out.reserve(std::size_t(bundle.AllFileInDirectory.size()));
        for (const fileAttrbItemPtr& f : bundle.AllFileInDirectory)
            out.emplace_back(f->fileSize, f->md5_1k, f->md5);
        std::sort(out.begin(), out.end());
        return out;
    };
    return keys(*a) == keys(*b);
}

bool FindDuplicateApp::FindAppInArray(const QList<QByteArray>& bundlePaths,
                                      QList<QList<AppAttrbItemPtr>>& out) {
    m_AppCount = bundlePaths.size();
    m_AllAppItem = InitInputAppDirectory(bundlePaths);
    if (m_AllAppItem.isEmpty() && !bundlePaths.isEmpty())
        return false;
    while (!m_AllAppItem.isEmpty() && !m_StopSearch) {
        const AppAttrbItemPtr anchor = m_AllAppItem.takeFirst();
        {
            std::lock_guard guard(m_lock);
            m_CurrentSearchFile = anchor->DirectoryPathName;
        }
        QList<AppAttrbItemPtr> sameSize;
        getSameSizeDirInArray(m_AllAppItem, anchor, sameSize);
        QList<AppAttrbItemPtr> group;
        for (const AppAttrbItemPtr& candidate : sameSize)
            if (CompareDir(anchor, candidate))
                group.append(candidate);
        if (!group.isEmpty()) {
            for (const AppAttrbItemPtr& member : group)
                m_AllAppItem.removeOne(member);
            group.append(anchor);
            out.append(group);
        }
        m_Progress = std::uint32_t((m_AppCount - m_AllAppItem.size()) * 100 / m_AppCount);
    }
    return true;
}

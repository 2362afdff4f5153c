#include "app/duplicat/Duplicate/duplicateFind.h"

#include "app/duplicat/Duplicate/FindDuplicateApp.h"
#include "app/duplicat/Duplicate/SharedStorage.h"
#include "app/duplicat/Duplicate/algorithm.h"
#include "app/duplicat/Duplicate/getFileList.h"
#include "platform/Logger.h"

#include <QFile>
#include <algorithm>
#include <condition_variable>
#include <sys/stat.h>
#include <thread>
#include <unordered_map>
#include <vector>

duplicateFind::duplicateFind() = default;
duplicateFind::~duplicateFind() = default;

void duplicateFind::setSearchOption(bool searchHidden, bool searchSystem) {
    m_bSearchHiddenFile = searchHidden;
    m_bSearchSystemDirectory = searchSystem;
}

void duplicateFind::setThreadCount(int threads) {
    m_threads = threads;
}

void duplicateFind::stopSearch() {
    std::lock_guard guard(m_liveLock);
    if (m_fileList)
        m_fileList->stopSearch();
    if (m_findDuplicateApp)
        m_findDuplicateApp->stopSearch();
    m_Stop = true;
}

std::uint32_t duplicateFind::getProgress() {
    {
        std::lock_guard guard(m_liveLock);
        if (m_findDuplicateApp)
            m_iAppProgress = m_findDuplicateApp->progress();
    }
    return (m_iAppProgress + m_iProgress) / 2;
}

QString duplicateFind::getCurrentSearchPath() {
    std::lock_guard guard(m_liveLock);
    if (m_fileList)
        m_CurrentSearchPath = m_fileList->currentPath();
    else if (m_findDuplicateApp)
        m_CurrentSearchPath = m_findDuplicateApp->currentSearchFile();
    return m_CurrentSearchPath;
}

void duplicateFind::rememberPath(const QString& path) {
    std::lock_guard guard(m_liveLock);
    m_CurrentSearchPath = path;
}

bool duplicateFind::getAllDuplicateFile(QList<fileAttrbItemPtr>* list) const {
    if (!list)
        return false;
    std::lock_guard guard(m_resultLock);
    list->append(m_newFileArray);
    return true;
}

bool duplicateFind::findNewDuplicateFile(QList<fileAttrbItemPtr>* list, qsizetype fromIndex) const {
    if (!list)
        return false;
    std::lock_guard guard(m_resultLock);
    if (fromIndex < 0 || fromIndex > m_newFileArray.size())
        return false;
    list->append(m_newFileArray.mid(fromIndex));
    return true;
}

void duplicateFind::getAllAppDuplicateDir(QList<QList<AppAttrbItemPtr>>* list) const {
    if (!list)
        return;
    std::lock_guard guard(m_resultLock);
    list->append(m_allAppArray);
}

void duplicateFind::getNewAppDuplicateDir(QList<QList<AppAttrbItemPtr>>* list,
                                          qsizetype fromIndex) const {
    if (!list)
        return;
    std::lock_guard guard(m_resultLock);
    if (fromIndex >= 0 && fromIndex <= m_allAppArray.size())
        list->append(m_allAppArray.mid(fromIndex));
}

bool duplicateFind::searchDuplicateFileAtPath(const QString& root, std::uint64_t limittedSize) {
    return searchDuplicateFileAtPath(QFile::encodeName(root), limittedSize);
}

bool duplicateFind::searchDuplicateFileAtPath(const QByteArray& nativeRoot,
                                              std::uint64_t limittedSize) {
    struct stat st {};
    if (nativeRoot.isEmpty() || ::stat(nativeRoot.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    m_path = nativeRoot;
    m_limittedSize = limittedSize;
    const bool outcome = search();
    m_phase = Phase::Done;
    Logger::log(QStringLiteral("findDuplicate result:%1").arg(outcome ? 1 : 0));
    return outcome;
}

bool duplicateFind::search() {
    m_phase = Phase::Walk;
    auto walker = std::make_unique<getFileList>();
    walker->m_bSearchHiddenFile = m_bSearchHiddenFile;
    walker->m_bSearchSystemDirectory = m_bSearchSystemDirectory;
    walker->m_folderHook = m_walkHook;
    walker->m_systemRoot = m_systemRoot;
    walker->m_threads =
        m_threads > 0 ? m_threads : std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    {
        std::lock_guard guard(m_liveLock);
        m_fileList = walker.get();
        if (m_Stop)
            walker->stopSearch();
    }
    const bool listed =
        walker->getListAtPath(m_path, m_allFileArray, DirectoryArray, m_limittedSize);
    {
        std::lock_guard guard(m_liveLock);
        m_CurrentSearchPath = walker->currentPath();
        m_fileList = nullptr;
    }
    walker.reset();
    m_bundleCount = DirectoryArray.size();

    // Bundles are compared even after a stop during the walk: what was walked keeps its groups.
    if (!DirectoryArray.isEmpty()) {
        m_phase = Phase::Bundles;
        auto comparer = std::make_unique<FindDuplicateApp>();
        {
            std::lock_guard guard(m_liveLock);
            m_findDuplicateApp = comparer.get();
        }
        QList<QList<AppAttrbItemPtr>> groups;
        comparer->FindAppInArray(DirectoryArray, groups);
        {
            std::lock_guard guard(m_resultLock);
            m_allAppArray.append(groups);
        }
        std::lock_guard guard(m_liveLock);
        m_CurrentSearchPath = comparer->currentSearchFile();
        m_findDuplicateApp = nullptr;
    }
    m_iAppProgress = 100;

    if (!listed)
        return false;
    if (m_Stop)
        return true;
    if (m_allFileArray.isEmpty())
        return false;
    m_phase = Phase::Files;
    return compareFiles();
}

void duplicateFind::publish(QList<fileAttrbItemPtr> group) {
    SharedStorage::annotate(group);
    qsizetype groups = 0;
    {
        std::lock_guard guard(m_resultLock);
        m_newFileArray.append(group);
        groups = ++m_groupCount;
    }
    if (m_groupHook)
        m_groupHook(groups);
}

bool duplicateFind::compareFiles() {
    std::vector<fileAttrbItemPtr> files(m_allFileArray.cbegin(), m_allFileArray.cend());
    m_allFileArray.clear();
    const std::uint32_t n = std::uint32_t(files.size());
    m_allFileCount = n;

    // Size index: buckets numbered in the order of their first member.
    std::vector<std::uint32_t> bucketOf(n);
    std::vector<std::vector<std::uint32_t>> buckets;
    {
        std::unordered_map<std::uint64_t, std::uint32_t> bySize;
        bySize.reserve(n);
        for (std::uint32_t i = 0; i < n; ++i) {
            const auto [it, added] =
                bySize.try_emplace(files[i]->fileSize, std::uint32_t(buckets.size()));
            if (added)
                buckets.emplace_back();
            buckets[it->second].push_back(i);
            bucketOf[i] = it->second;
        }
    }
    std::vector<std::uint32_t> shared; // buckets of two or more, in order of their first member
    for (std::uint32_t b = 0; b < buckets.size(); ++b)
        if (buckets[b].size() >= 2)
            shared.push_back(b);

    // Written by the worker that resolves a bucket, read by the main loop once it is resolved.
    std::vector<std::vector<std::vector<std::uint32_t>>> classes(buckets.size());
    std::vector<std::int32_t> classOf(n, -1);
    // A bucket is free (0), being resolved (1) or resolved (2). Workers take buckets ahead of
    // the main loop; the main loop resolves a free one itself and waits only for a taken one.
    std::unique_ptr<std::atomic<std::uint8_t>[]> state(
        new std::atomic<std::uint8_t>[buckets.size()]);
    for (std::size_t b = 0; b < buckets.size(); ++b)
        state[b].store(0, std::memory_order_relaxed);
    std::mutex waitLock;
    std::condition_variable wake;
    std::atomic<bool> waiting{false};
    std::atomic<std::size_t> next{0};
    constexpr std::size_t kHeldMax = 64; // files a resolver keeps open between its two passes

    const auto resolve = [&](algorithm& engine, std::uint32_t b) {
        const std::vector<std::uint32_t>& members = buckets[b];
        std::vector<algorithm::Held> held(members.size() <= kHeldMax ? members.size() : 0);
        std::unordered_map<std::uint64_t, std::uint32_t> heads;
        for (std::size_t k = 0; k < members.size(); ++k) {
            if (m_Stop)
                return;
            fileAttrbItem& f = *files[members[k]];
            if (engine.ensureHead(f, held.empty() ? nullptr : &held[k]))
                ++heads[f.md5_1k];
        }
        struct KeyHash {
            std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& k) const {
                return std::size_t(k.first * 0x9E3779B97F4A7C15ull ^ k.second);
            }
        };
        std::unordered_map<std::pair<std::uint64_t, std::uint64_t>, std::uint32_t, KeyHash> keys;
        std::vector<std::uint32_t> whole; // members with both digests
        for (std::size_t k = 0; k < members.size(); ++k) {
            fileAttrbItem& f = *files[members[k]];
            algorithm::Held* h = held.empty() ? nullptr : &held[k];
            if (f.headFailed || f.md5_1k == 0 || heads[f.md5_1k] < 2) {
                if (h)
                    h->release();
                continue;
            }
            if (m_Stop)
                return;
            if (engine.ensureWhole(f, h)) {
                ++keys[{f.md5_1k, f.md5}];
                whole.push_back(members[k]);
            }
        }
        std::unordered_map<std::pair<std::uint64_t, std::uint64_t>, std::int32_t, KeyHash>
            classIndex;
        for (const std::uint32_t m : whole) {
            const std::pair<std::uint64_t, std::uint64_t> key{files[m]->md5_1k, files[m]->md5};
            if (keys[key] < 2)
                continue;
            const auto [it, added] = classIndex.try_emplace(key, std::int32_t(classes[b].size()));
            if (added)
                classes[b].emplace_back();
            classes[b][std::size_t(it->second)].push_back(m);
            classOf[m] = it->second;
        }
    };
    const auto done = [&](std::uint32_t b) {
        state[b].store(2);
        if (waiting.load()) {
            std::lock_guard guard(waitLock);
            wake.notify_all();
        }
    };

    // Takes the next free bucket of the queue and resolves it; false when the queue is empty.
    const auto takeAndResolve = [&](algorithm& engine) {
        for (;;) {
            const std::size_t k = next.fetch_add(1);
            if (k >= shared.size() || m_Stop)
                return false;
            std::uint8_t expected = 0;
            if (!state[shared[k]].compare_exchange_strong(expected, 1))
                continue;
            resolve(engine, shared[k]);
            done(shared[k]);
            return true;
        }
    };

    const int threadCount =
        m_threads > 0 ? m_threads : std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    std::vector<std::thread> workers;
    for (int t = 1; t < threadCount && shared.size() > 1; ++t) {
        workers.emplace_back([&] {
            algorithm engine;
            engine.setStopFlag(&m_Stop);
            while (takeAndResolve(engine)) {
            }
        });
    }

    // The main loop: each file not yet grouped, in candidate order, with its class's other members.
    algorithm engine;
    engine.setStopFlag(&m_Stop);
    std::vector<bool> removed(n, false);
    std::uint32_t remaining = n;
    bool outcome = true;
    for (std::uint32_t i = 0; i < n; ++i) {
        if (m_Stop)
            break;
        if (removed[i])
            continue;
        // The path is polled a few times a second: every 64th file is plenty, and spares a
        // lock and a string copy per file.
        if (i % 64 == 0)
            rememberPath(files[i]->filePathName);
        removed[i] = true;
        if (--remaining == 0)
            break;
        const std::uint32_t b = bucketOf[i];
        if (buckets[b].size() >= 2) {
            if (state[b].load() != 2) {
                std::uint8_t expected = 0;
                if (state[b].compare_exchange_strong(expected, 1)) {
                    resolve(engine, b);
                    state[b].store(2);
                }
                // Taken by a worker: help with the buckets ahead rather than wait.
                while (state[b].load() != 2 && !m_Stop && takeAndResolve(engine)) {
                }
                if (state[b].load() != 2 && !m_Stop) {
                    waiting = true;
                    std::unique_lock lock(waitLock);
                    wake.wait(lock, [&] { return state[b].load() == 2 || m_Stop; });
                    waiting = false;
                }
            }
            if (m_Stop)
                break; // stopped: the groups found so far stay
            if (classOf[i] >= 0) {
                const std::vector<std::uint32_t>& members = classes[b][std::size_t(classOf[i])];
                QList<fileAttrbItemPtr> group;
                group.reserve(qsizetype(members.size()));
                for (std::size_t k = 1; k < members.size(); ++k) {
                    group.append(files[members[k]]);
                    removed[members[k]] = true;
                }
                group.append(files[i]);
                remaining -= std::uint32_t(members.size() - 1);
                publish(std::move(group));
            }
        }
        m_iProgress = std::uint32_t((std::uint64_t(n) - remaining) * 100 / n);
    }
    for (std::thread& worker : workers)
        worker.join();
    // Most records end here: the files without a copy. Freeing them one by one took a
    // twentieth of a large search's time, so a thread of their own frees them while the
    // results are shown.
    std::thread([gone = std::move(files)]() mutable { gone.clear(); }).detach();
    return outcome;
}

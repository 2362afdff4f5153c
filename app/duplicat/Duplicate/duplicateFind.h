#pragma once

#include "app/duplicat/Duplicate/AppAttrbItem.h"
#include "app/duplicat/Duplicate/fileAttrbItem.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

class getFileList;
class FindDuplicateApp;

// The search driver: the walk, the bundle comparison, then the file comparison,
// publishing groups as flat lists (matches in candidate order, then the file they were matched
// against, collected before them) that readers on
// other threads may fetch by index while the search runs.
//
// Collecting, for each file in turn, every remaining candidate of its size by scanning the whole
// list would be quadratic. Here candidates are indexed by size once, so the search is linear, and a
// size class is resolved as a whole: the head digest of each member, the whole digest only of
// members whose head digest another member shares, then classes of equal (head, whole) in candidate
// order. Taking files in candidate order over those classes gives exactly the groups of that scan,
// in its order: a class's first member is what the others are matched against. Classes are resolved
// ahead of the main loop by worker threads (one engine each); the loop publishes in order.
class duplicateFind {
public:
    enum class Phase { Idle, Walk, Bundles, Files, Done };

    duplicateFind();
    ~duplicateFind();

    void setSearchOption(bool searchHidden, bool searchSystem);
    // Threads that read and digest files (default: the machine's cores, at most 8).
    void setThreadCount(int threads);

    // Runs the whole search on the calling thread, only when ROOT exists and is a directory.
    // Returns the outcome (also logged as "findDuplicate result:%d").
    bool searchDuplicateFileAtPath(const QString& root, std::uint64_t limittedSize);
    bool searchDuplicateFileAtPath(const QByteArray& nativeRoot, std::uint64_t limittedSize);

    // From any thread.
    void stopSearch();
    std::uint32_t getProgress();
    QString getCurrentSearchPath();
    Phase phase() const { return m_phase; }
    bool isStopped() const { return m_Stop; }

    bool getAllDuplicateFile(QList<fileAttrbItemPtr>* list) const;
    bool findNewDuplicateFile(QList<fileAttrbItemPtr>* list, qsizetype fromIndex) const;
    void getAllAppDuplicateDir(QList<QList<AppAttrbItemPtr>>* list) const;
    void getNewAppDuplicateDir(QList<QList<AppAttrbItemPtr>>* list, qsizetype fromIndex) const;

    // Tests: called as the walk enters each folder, and after each file group is published.
    std::function<void(const QByteArray& folder)> m_walkHook;
    std::function<void(qsizetype groupsSoFar)> m_groupHook;
    QByteArray m_systemRoot = "/";

    // Counts for reports.
    std::uint64_t candidateCount() const { return m_allFileCount; }
    qsizetype bundleCount() const { return m_bundleCount; }

private:
    bool search();
    bool compareFiles();
    void publish(QList<fileAttrbItemPtr> group);
    void rememberPath(const QString& path);

    QByteArray m_path;
    std::uint64_t m_limittedSize = 0;
    bool m_bSearchHiddenFile = false;
    bool m_bSearchSystemDirectory = false;
    int m_threads = 0;

    QList<fileAttrbItemPtr> m_allFileArray;
    QList<QByteArray> DirectoryArray;
    std::atomic<std::uint64_t> m_allFileCount{0};
    std::atomic<qsizetype> m_bundleCount{0};

    mutable std::mutex m_resultLock;
    QList<fileAttrbItemPtr> m_newFileArray;
    QList<QList<AppAttrbItemPtr>> m_allAppArray;
    qsizetype m_groupCount = 0;

    std::atomic<std::uint32_t> m_iProgress{0};
    std::atomic<std::uint32_t> m_iAppProgress{0};
    std::atomic<bool> m_Stop{false};
    std::atomic<Phase> m_phase{Phase::Idle};

    mutable std::mutex m_liveLock; // guards the two live pointers and the remembered path
    getFileList* m_fileList = nullptr;
    FindDuplicateApp* m_findDuplicateApp = nullptr;
    QString m_CurrentSearchPath;
};

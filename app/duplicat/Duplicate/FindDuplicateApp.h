#pragma once

#include "app/duplicat/Duplicate/AppAttrbItem.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <cstdint>
#include <mutex>

class algorithm;

// The bundle comparer: application bundles are compared as whole folders. Two
// bundles are equal when their files pair off one to one by size and content; names and
// relative paths play no part. They are equal only when every
// file's digests were computed: a file that cannot be read makes its bundle differ from every
// other (two bundles of unreadable files are not "equal").
class FindDuplicateApp {
public:
    // Groups of BUNDLEPATHS into OUT, each group matches first, the bundle they matched last. False
    // only when no record could be built.
    bool FindAppInArray(const QList<QByteArray>& bundlePaths, QList<QList<AppAttrbItemPtr>>& out);

    void stopSearch() { m_StopSearch = true; }
    std::uint32_t progress() const { return m_Progress; }
    QString currentSearchFile() const;

    // Steps.
    QList<AppAttrbItemPtr> InitInputAppDirectory(const QList<QByteArray>& bundlePaths);
    static bool getAllFilePathName(AppAttrbItem& bundle);
    static void getSameSizeDirInArray(const QList<AppAttrbItemPtr>& records,
                                      const AppAttrbItemPtr& item, QList<AppAttrbItemPtr>& out);
    bool CompareDir(const AppAttrbItemPtr& a, const AppAttrbItemPtr& b);

    std::atomic<std::uint32_t> m_Progress{0};
    std::atomic<bool> m_StopSearch{false};
    qsizetype m_AppCount = 0;

private:
    bool digestAll(AppAttrbItem& bundle, algorithm& engine);

    QList<AppAttrbItemPtr> m_AllAppItem;
    mutable std::mutex m_lock;
    QString m_CurrentSearchFile;
};

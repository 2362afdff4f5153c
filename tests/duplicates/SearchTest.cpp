// The search: groups and their order against the plain quadratic loop, progress, stop, bundles
// and copies that share storage.
#include "DuplicateTestSupport.h"
#include "app/duplicat/Duplicate/DuplicateGroup.h"
#include "app/duplicat/Duplicate/FindDuplicateApp.h"
#include "app/duplicat/Duplicate/algorithm.h"
#include "app/duplicat/Duplicate/duplicateFind.h"
#include "app/duplicat/Duplicate/getFileList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace duptest;

namespace {

QList<fileAttrbItemPtr> collect(const QString& root) {
    getFileList walker;
    QList<fileAttrbItemPtr> files;
    QList<QByteArray> bundles;
    walker.getListAtPath(root, files, bundles, 0);
    return files;
}

// The plain loop: quadratic, each file's whole digest computed before its candidates'.
struct Reference {
    QStringList flat;
    std::uint32_t progress = 0;
};
Reference reference(const QString& root) {
    QList<fileAttrbItemPtr> candidates = collect(root);
    const qsizetype count = candidates.size();
    algorithm engine;
    Reference out;
    QList<fileAttrbItemPtr> all;
    while (!candidates.isEmpty()) {
        const fileAttrbItemPtr first = candidates.takeFirst();
        if (candidates.isEmpty())
            break;
        QList<fileAttrbItemPtr> result;
        engine.getDuplicateFile(first, candidates, result);
        for (const fileAttrbItemPtr& r : result)
            candidates.removeOne(r);
        all.append(result);
        out.progress = std::uint32_t((count - candidates.size()) * 100 / count);
    }
    out.flat = names(all, root);
    return out;
}

QStringList search(const QString& root, duplicateFind& finder) {
    finder.searchDuplicateFileAtPath(root, 0);
    QList<fileAttrbItemPtr> flat;
    finder.getAllDuplicateFile(&flat);
    return names(flat, root);
}

} // namespace

TEST(DuplicateSearch, GroupsInCandidateOrder) {
    QTemporaryDir dir;
    const QString r = dir.path();
    put(r, "ten1", "0123456789");
    put(r, "ten2", "0123456789");
    put(r, "ten3", "9876543210");
    // Same size and head, a difference at byte 5,000,000: not grouped.
    const QByteArray big = bytes(6000000, 3);
    QByteArray other = big;
    other[5000000] = char(other[5000000] ^ 0x40);
    put(r, "big1", big);
    put(r, "big2", other);
    put(r, "triple/A", "same content");
    put(r, "triple/B", "same content");
    put(r, "triple/C", "same content");
    put(r, "four/x", bytes(4 * 1024 * 1024, 9));
    put(r, "four/y", bytes(4 * 1024 * 1024, 9));

    const QStringList order = names(collect(r), r);
    duplicateFind finder;
    const QStringList flat = search(r, finder);
    EXPECT_EQ(flat, reference(r).flat);
    const QList<DuplicateGroup> groups = [&] {
        QList<fileAttrbItemPtr> f;
        finder.getAllDuplicateFile(&f);
        return DuplicateGroup::split(f);
    }();
    ASSERT_EQ(groups.size(), 3);
    for (const DuplicateGroup& g : groups) {
        QStringList members = names(g.files, r);
        if (members.first().startsWith("triple/")) {
            // Three identical files collected A, B, C give the run B, C, A.
            QStringList collected;
            for (const QString& name : order)
                if (name.startsWith("triple/"))
                    collected << name;
            EXPECT_EQ(members, QStringList({collected[1], collected[2], collected[0]}));
            EXPECT_EQ(g.wastedBytes(), 24u);
        } else if (members.first().startsWith("ten")) {
            members.sort();
            EXPECT_EQ(members, QStringList({"ten1", "ten2"}));
        } else {
            EXPECT_EQ(g.fileSize, 4u * 1024 * 1024);
        }
    }
    QList<fileAttrbItemPtr> from;
    EXPECT_TRUE(finder.findNewDuplicateFile(&from, flat.size()));
    EXPECT_TRUE(from.isEmpty());
    EXPECT_FALSE(finder.findNewDuplicateFile(&from, flat.size() + 1));
    EXPECT_TRUE(finder.findNewDuplicateFile(&from, 2));
    EXPECT_EQ(from.size(), flat.size() - 2);
    EXPECT_FALSE(finder.getAllDuplicateFile(nullptr));
}

TEST(DuplicateSearch, SameResultsAndProgressAsTheQuadraticLoopOnAMixedTree) {
    QTemporaryDir dir;
    const QString r = dir.path();
    // Sizes shared by unrelated files, heads shared by files that differ later, exact copies.
    for (int i = 0; i < 400; ++i) {
        const int kind = i % 7;
        QByteArray data;
        if (kind == 0)
            data = bytes(2000, quint32(i % 5)); // five contents of one size
        else if (kind == 1)
            data = bytes(3000, 11) + QByteArray::number(i % 3); // shared head, three tails
        else if (kind == 2)
            data = bytes(100 + i, quint32(i)); // unique
        else
            data = bytes(500 + (i % 4), quint32(i % 4)); // four contents
        put(r, QStringLiteral("d%1/f%2").arg(i % 13).arg(i), data);
    }
    for (int threads : {1, 3}) {
        duplicateFind finder;
        finder.setThreadCount(threads);
        const Reference ref = reference(r);
        EXPECT_EQ(search(r, finder), ref.flat) << threads;
        // No bundles: the bundle half is 100.
        EXPECT_EQ(finder.getProgress(), (100 + ref.progress) / 2);
    }
}

TEST(DuplicateSearch, ProgressHalfwayAtFirstComparisonAndLoneLastFile) {
    QTemporaryDir dir;
    const QString r = dir.path();
    put(r, "a", "same");
    put(r, "b", "same");
    put(r, "c", "other content");
    duplicateFind finder;
    std::uint32_t atFirstGroup = 0;
    finder.m_groupHook = [&](qsizetype) { atFirstGroup = finder.getProgress(); };
    EXPECT_TRUE(finder.searchDuplicateFileAtPath(r, 0));
    EXPECT_EQ(atFirstGroup, 50u);
    // Ending on the lone "c" leaves (3-1)*100/3; a group taking the last candidates gives 100.
    const std::uint32_t files = reference(r).progress;
    EXPECT_TRUE(files == 66 || files == 100);
    EXPECT_EQ(finder.getProgress(), (100 + files) / 2);
    // Nothing to compare: the outcome is false; a root that is a file: nothing happens.
    QTemporaryDir empty;
    duplicateFind none;
    EXPECT_FALSE(none.searchDuplicateFileAtPath(empty.path(), 0));
    EXPECT_FALSE(none.searchDuplicateFileAtPath(r + "/a", 0));
}

TEST(DuplicateSearch, StopDuringComparisonAndDuringTheWalk) {
    QTemporaryDir dir;
    const QString r = dir.path();
    for (int i = 0; i < 30; ++i) {
        put(r, QStringLiteral("f%1a").arg(i), bytes(100 + i, quint32(i)));
        put(r, QStringLiteral("f%1b").arg(i), bytes(100 + i, quint32(i)));
    }
    duplicateFind finder;
    finder.m_groupHook = [&](qsizetype groups) {
        if (groups == 3)
            finder.stopSearch();
    };
    EXPECT_TRUE(finder.searchDuplicateFileAtPath(r, 0));
    QList<fileAttrbItemPtr> flat;
    finder.getAllDuplicateFile(&flat);
    EXPECT_EQ(DuplicateGroup::split(flat).size(), 3);

    // Stopped in the walk: no file comparison, but the bundles walked so far are compared.
    QTemporaryDir tree;
    const QString t = tree.path();
    put(t, "One.app/x", "bundle");
    put(t, "Two.app/y", "bundle");
    put(t, "p", "same");
    put(t, "q", "same");
    put(t, "zzz/later", "z");
    duplicateFind walkStop;
    walkStop.m_walkHook = [&](const QByteArray& folder) {
        if (folder.endsWith("/zzz"))
            walkStop.stopSearch();
    };
    EXPECT_TRUE(walkStop.searchDuplicateFileAtPath(t, 0));
    flat.clear();
    walkStop.getAllDuplicateFile(&flat);
    EXPECT_TRUE(flat.isEmpty());
    QList<QList<AppAttrbItemPtr>> apps;
    walkStop.getAllAppDuplicateDir(&apps);
    // Both bundles were walked when the stop came when they are listed before "zzz".
    QStringList top;
    if (DIR* d = ::opendir(QFile::encodeName(t).constData())) {
        while (const dirent* e = ::readdir(d))
            top << QString::fromUtf8(e->d_name);
        ::closedir(d);
    }
    const bool bothBefore =
        top.indexOf("One.app") < top.indexOf("zzz") && top.indexOf("Two.app") < top.indexOf("zzz");
    EXPECT_EQ(apps.size(), bothBefore ? 1 : 0);
    EXPECT_EQ(walkStop.getProgress() >= 50, true);
}

TEST(DuplicateSearch, BundlesPairByContentAndNeedEveryDigest) {
    QTemporaryDir dir;
    const QString r = dir.path();
    put(r, "A.app/Contents/bin/tool", "binary");
    put(r, "A.app/Contents/readme", "text");
    put(r, "B.app/other/place/renamed", "text");
    put(r, "B.app/z", "binary");
    // Equal total size, different file counts.
    put(r, "C.app/one", "binarytext");
    put(r, "sub/D.app/x", "binary");
    put(r, "sub/D.app/y", "te");
    put(r, "sub/D.app/w", "xt");
    duplicateFind finder;
    finder.searchDuplicateFileAtPath(r, 0);
    QList<QList<AppAttrbItemPtr>> groups;
    finder.getAllAppDuplicateDir(&groups);
    ASSERT_EQ(groups.size(), 1);
    QStringList names;
    for (const AppAttrbItemPtr& b : groups.first())
        names << b->DirectoryName;
    names.sort();
    EXPECT_EQ(names, QStringList({"A.app", "B.app"}));

    // A fifo inside: its content cannot be compared, so the bundles differ.
    put(r, "E.app/f", "q");
    put(r, "F.app/f", "q");
    ASSERT_EQ(::mkfifo(QFile::encodeName(r + "/E.app/pipe"), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(r + "/F.app/pipe"), 0600), 0);
    FindDuplicateApp comparer;
    QList<QList<AppAttrbItemPtr>> out;
    comparer.FindAppInArray({QFile::encodeName(r + "/E.app"), QFile::encodeName(r + "/F.app")},
                            out);
    EXPECT_TRUE(out.isEmpty());

    // Unreadable files (read as an ordinary user: root reads everything) make bundles differ.
    put(r, "G.app/secret", "s");
    put(r, "H.app/secret", "s");
    ::chmod(QFile::encodeName(r + "/G.app/secret"), 0);
    ::chmod(QFile::encodeName(r + "/H.app/secret"), 0);
    ::chmod(QFile::encodeName(r), 0755);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        FindDuplicateApp unreadable;
        QList<QList<AppAttrbItemPtr>> found;
        unreadable.FindAppInArray(
            {QFile::encodeName(r + "/G.app"), QFile::encodeName(r + "/H.app")}, found);
        ::_exit(found.isEmpty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "3: could not become an ordinary user";
}

TEST(DuplicateSearch, HardLinksAndOneFileTwiceAreMarkedAndFreeNothing) {
    QTemporaryDir dir;
    const QString r = dir.path();
    const QString a = put(r, "a", "shared data");
    ASSERT_EQ(::link(QFile::encodeName(a), QFile::encodeName(r + "/hard")), 0);
    put(r, "copy", "shared data");
    duplicateFind finder;
    finder.searchDuplicateFileAtPath(r, 0);
    QList<fileAttrbItemPtr> flat;
    finder.getAllDuplicateFile(&flat);
    const QList<DuplicateGroup> groups = DuplicateGroup::split(flat);
    ASSERT_EQ(groups.size(), 1);
    const DuplicateGroup& g = groups.first();
    ASSERT_EQ(g.files.size(), 3);
    EXPECT_EQ(g.distinctCopies(), 2);
    EXPECT_EQ(g.wastedBytes(), 11u);
    int hard = 0;
    for (const fileAttrbItemPtr& f : g.files)
        if (f->storage == fileAttrbItem::Storage::HardLink) {
            ++hard;
            EXPECT_EQ(g.files[f->sharesWith]->inode, f->inode);
        }
    EXPECT_EQ(hard, 1);

    // One file reached along two paths (a link directly under the root is followed; a folder
    // already walked is not walked again, but one inside it is reached a second time).
    QTemporaryDir twice;
    put(twice.path(), "real/sub/file", "only one copy");
    ASSERT_TRUE(QFile::link(twice.path() + "/real/sub", twice.path() + "/alias"));
    duplicateFind again;
    again.searchDuplicateFileAtPath(twice.path(), 0);
    flat.clear();
    again.getAllDuplicateFile(&flat);
    const QList<DuplicateGroup> same = DuplicateGroup::split(flat);
    ASSERT_EQ(same.size(), 1);
    EXPECT_EQ(same.first().distinctCopies(), 1);
    EXPECT_EQ(same.first().wastedBytes(), 0u);
}

// The walk: what becomes a candidate, what is a bundle, what is never entered or opened.
#include "DuplicateTestSupport.h"
#include "app/duplicat/Duplicate/getFileList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace duptest;

namespace {

struct Walked {
    bool listed = false;
    QStringList files;
    QStringList bundles;
};

Walked walkOnce(const QString& root, bool hidden, bool system, const QByteArray& systemRoot,
                int threads) {
    getFileList walker;
    walker.m_bSearchHiddenFile = hidden;
    walker.m_bSearchSystemDirectory = system;
    walker.m_systemRoot = systemRoot;
    walker.m_threads = threads;
    QList<fileAttrbItemPtr> files;
    QList<QByteArray> bundles;
    Walked out;
    out.listed = walker.getListAtPath(root, files, bundles, 0);
    out.files = names(files, root);
    for (const QByteArray& b : bundles)
        out.bundles << QString::fromUtf8(b).mid(root.size() + 1);
    return out;
}

// Walked on one thread and on four (which lists folders a few levels down first and walks them
// apart): the same files and bundles in the same order. Returned sorted.
Walked walk(const QString& root, bool hidden = false, bool system = false,
            const QByteArray& systemRoot = "/") {
    Walked out = walkOnce(root, hidden, system, systemRoot, 1);
    const Walked parallel = walkOnce(root, hidden, system, systemRoot, 4);
    EXPECT_EQ(parallel.listed, out.listed) << root.toStdString();
    EXPECT_EQ(parallel.files, out.files) << root.toStdString();
    EXPECT_EQ(parallel.bundles, out.bundles) << root.toStdString();
    out.files.sort();
    out.bundles.sort();
    return out;
}

} // namespace

TEST(DuplicateWalk, OnlyNonEmptyRegularFilesLinksOnlyAtTheTopFifosAndLoopsHarmless) {
    QTemporaryDir dir;
    const QString r = dir.path();
    put(r, "a", "1");
    put(r, "sub/b", "2");
    put(r, "sub/empty", "");
    put(r, "outside/x", "3");
    ASSERT_EQ(::mkfifo(QFile::encodeName(r + "/fifo"), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(r + "/sub/fifo"), 0600), 0);
    // A loop below the top, a dangling link, links to a file and to /dev/zero.
    ASSERT_TRUE(QFile::link(r + "/sub", r + "/sub/loop"));
    ASSERT_TRUE(QFile::link(r + "/nowhere", r + "/sub/dangling"));
    ASSERT_TRUE(QFile::link(r + "/outside/x", r + "/sub/linked"));
    ASSERT_TRUE(QFile::link("/dev/zero", r + "/zero"));
    // Directly under the root a link to a folder is followed; below it is not.
    QTemporaryDir elsewhere;
    put(elsewhere.path(), "far/y", "4");
    ASSERT_TRUE(QFile::link(elsewhere.path() + "/far", r + "/toplink"));
    ASSERT_TRUE(QFile::link(elsewhere.path() + "/far", r + "/sub/deeplink"));
    // Pseudo file systems are never entered, whatever the options, not even through a link.
    ASSERT_TRUE(QFile::link("/proc", r + "/proc"));
    ASSERT_TRUE(QFile::link("/sys/kernel", r + "/syslink"));
    ASSERT_TRUE(QFile::link("/proc/self/status", r + "/status"));

    const Walked w = walk(r, true, true);
    EXPECT_TRUE(w.listed);
    EXPECT_EQ(w.files, QStringList({"a", "outside/x", "sub/b", "toplink/y"}));
    EXPECT_TRUE(w.bundles.isEmpty());

    // A pseudo file system as the root: listed, nothing collected.
    const Walked proc = walk("/proc", true, true);
    EXPECT_TRUE(proc.listed);
    EXPECT_TRUE(proc.files.isEmpty());
    // A root that cannot be listed.
    EXPECT_FALSE(walk(r + "/a").listed);
    EXPECT_FALSE(walk(r + "/missing").listed);
}

// Another file system mounted in the folder, below the top or directly under it, is not
// walked: its files could otherwise be deleted from a volume nobody chose.
TEST(DuplicateWalk, MountsInsideTheFolderAreNotEntered) {
    QTemporaryDir dir;
    const QString r = dir.path();
    put(r, "a", "same");
    QDir().mkpath(r + "/sub/mnt");
    QDir().mkpath(r + "/top");
    if (::geteuid() != 0 ||
        std::system(
            ("mount -t tmpfs none '" + r.toStdString() + "/sub/mnt' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "mounting needs root";
    std::system(("mount -t tmpfs none '" + r.toStdString() + "/top'").c_str());
    put(r + "/sub/mnt", "b", "same");
    put(r + "/top", "c", "same");
    const Walked w = walk(r, true, true);
    std::system(("umount '" + r.toStdString() + "/sub/mnt' '" + r.toStdString() + "/top'").c_str());
    EXPECT_EQ(w.files, QStringList{"a"});
}

TEST(DuplicateWalk, HiddenEntriesAndSystemFolders) {
    QTemporaryDir dir;
    const QString r = dir.path();
    put(r, ".hidden", "1");
    put(r, ".cache/x", "2");
    put(r, "docs/.git/y", "3");
    put(r, "docs/z", "4");
    EXPECT_EQ(walk(r).files, QStringList({"docs/z"}));
    EXPECT_EQ(walk(r, true).files, QStringList({".cache/x", ".hidden", "docs/.git/y", "docs/z"}));
    // A root below a hidden folder: every entry is hidden.
    EXPECT_TRUE(walk(r + "/.cache").files.isEmpty());
    EXPECT_EQ(walk(r + "/.cache", true).files, QStringList({"x"}));

    // System folders at the top of the file-system root (here a stand-in root), any case.
    QTemporaryDir fsRoot;
    const QString s = fsRoot.path();
    for (const char* name : {"usr/a", "Library/b", "library/c", "lib64/d", "proc/e", "etc/f",
                             "var/g", "System/h", "bin/i", "home/j", "home/u/Library/k", "opt/l"})
        put(s, name, name);
    const QByteArray stand = QFile::encodeName(s);
    EXPECT_EQ(walk(s, false, false, stand).files,
              QStringList({"home/j", "home/u/Library/k", "opt/l"}));
    EXPECT_EQ(walk(s, false, true, stand).files.size(), 12);
    // Anywhere else the names mean nothing.
    EXPECT_EQ(walk(s, false, false).files.size(), 12);
    EXPECT_TRUE(getFileList::IsSystemDirectory("/Library/x"));
    EXPECT_TRUE(getFileList::IsSystemDirectory("/LIB32"));
    EXPECT_FALSE(getFileList::IsSystemDirectory("/home/Library"));
    EXPECT_TRUE(getFileList::IsHiddenFile("/a/.b/c"));
    EXPECT_FALSE(getFileList::IsHiddenFile("/a/b.c"));
}

TEST(DuplicateWalk, BundlesEnterThroughTheirFirstNonEmptyFile) {
    QTemporaryDir dir;
    const QString r = dir.path();
    for (int i = 0; i < 20; ++i)
        put(r, QStringLiteral("Tool.app/Contents/f%1").arg(i), "x");
    put(r, "Photos.APP/img", "p");
    put(r, "Empty.app/Contents/nothing", "");
    QDir().mkpath(r + "/Empty.app/Contents/Folder");
    put(r, "x.apps/file", "y");
    put(r, "nest/Inner.app/deep/Sub.app/z", "z");
    const Walked w = walk(r);
    EXPECT_EQ(w.bundles, QStringList({"Photos.APP", "Tool.app", "nest/Inner.app"}));
    EXPECT_EQ(w.files, QStringList({"x.apps/file"}));
    // A root inside a bundle: everything lies in that bundle.
    getFileList walker;
    QList<fileAttrbItemPtr> files;
    QList<QByteArray> bundles;
    ASSERT_TRUE(walker.getListAtPath(r + "/Tool.app/Contents", files, bundles, 0));
    EXPECT_TRUE(files.isEmpty());
    EXPECT_EQ(bundles, QList<QByteArray>({QFile::encodeName(r + "/Tool.app")}));
    EXPECT_EQ(getFileList::bundleOf("/a/b.app/c"), QByteArray("/a/b.app"));
    EXPECT_EQ(getFileList::bundleOf("/a/.app/c"), QByteArray());
}

TEST(DuplicateWalk, StopEndsTheWalkAndKeepsWhatWasCollected) {
    QTemporaryDir dir;
    const QString r = dir.path();
    for (int i = 0; i < 50; ++i)
        put(r, QStringLiteral("d%1/f").arg(i), QByteArray::number(i));
    getFileList walker;
    int folders = 0;
    walker.m_folderHook = [&](const QByteArray&) {
        if (++folders == 10)
            walker.stopSearch();
    };
    QList<fileAttrbItemPtr> files;
    QList<QByteArray> bundles;
    EXPECT_TRUE(walker.getListAtPath(r, files, bundles, 0));
    EXPECT_EQ(files.size(), 9); // the tenth folder was not listed
    EXPECT_TRUE(walker.stopped());
    EXPECT_FALSE(walker.currentPath().isEmpty());
}

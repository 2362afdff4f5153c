#include "EngineTestSupport.h"

#include "app/Main/FileEraser/FileObjBuilder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace enginetest;

namespace {

QStringList relativeUrls(const QList<FileObjPtr>& items, const QString& root) {
    QStringList out;
    for (const FileObjPtr& item : items)
        out << item->url.mid(root.size() + 1);
    return out;
}

TEST(FileObjBuilderTest, ContentsComeDepthFirstBeforeTheirFolder) {
    QTemporaryDir dir;
    const QString root = dir.path();
    writeFile(root + QStringLiteral("/top/a/deep/f1"), "1");
    writeFile(root + QStringLiteral("/top/a/f2"), "22");
    writeFile(root + QStringLiteral("/top/f3"), "333");
    QDir().mkpath(root + QStringLiteral("/top/empty"));
    writeFile(root + QStringLiteral("/top/Inner.app/bin"), "4444");
    writeFile(root + QStringLiteral("/Whole.app/Contents/bin"), "x");
    writeFile(root + QStringLiteral("/single.txt"), "hello");

    FileObjBuilder builder(kNoMediumCheck);
    FileObjPtr top = builder.addFileToArr(root + QStringLiteral("/top"));
    FileObjPtr app = builder.addFileToArr(root + QStringLiteral("/Whole.app"));
    FileObjPtr single = builder.addFileToArr(root + QStringLiteral("/single.txt"));
    FileObjPtr unselected = builder.addFileToArr(root + QStringLiteral("/top/f3"));
    unselected->isSelect = false;
    ASSERT_TRUE(top && app && single);
    EXPECT_EQ(top->size, 0); // a folder chosen by the user
    EXPECT_EQ(top->type, QStringLiteral("Folder"));
    EXPECT_TRUE(top->isDir);
    EXPECT_EQ(single->size, 5);
    EXPECT_EQ(single->type, QStringLiteral("txt"));
    EXPECT_EQ(single->name, QStringLiteral("single.txt"));
    EXPECT_EQ(builder.addFileToArr(root + QStringLiteral("/missing")), nullptr);

    const QList<FileObjPtr> work = builder.buildWorkList({top, unselected, app, single});
    const QStringList order = relativeUrls(work, root);

    // Every entry comes before the folder holding it, and a folder's own entries follow each
    // other without anything from elsewhere in between (depth first).
    auto at = [&](const char* name) { return order.indexOf(QString::fromUtf8(name)); };
    ASSERT_EQ(order.size(), 13) << order.join(QLatin1Char(',')).toStdString();
    for (const char* inTop : {"top/a", "top/f3", "top/empty", "top/Inner.app"})
        EXPECT_LT(at(inTop), at("top")) << inTop;
    EXPECT_LT(at("top/a/deep/f1"), at("top/a/deep"));
    EXPECT_LT(at("top/a/deep"), at("top/a"));
    EXPECT_LT(at("top/a/f2"), at("top/a"));
    // The three entries under "a" sit right before it, nothing else in between.
    for (const char* underA : {"top/a/deep/f1", "top/a/deep", "top/a/f2"})
        EXPECT_GE(at(underA), at("top/a") - 3) << underA;
    EXPECT_LT(at("top/Inner.app/bin"), at("top/Inner.app")); // overwritten, not just removed
    EXPECT_EQ(at("top"), 8);
    // A folder named like an application bundle is a folder: its files are overwritten too.
    EXPECT_EQ(
        order.mid(9),
        (QStringList{QStringLiteral("Whole.app/Contents/bin"), QStringLiteral("Whole.app/Contents"),
                     QStringLiteral("Whole.app"), QStringLiteral("single.txt")}));

    for (const FileObjPtr& item : work) {
        EXPECT_TRUE(item->isSelect);
        if (item->url.endsWith(QLatin1String("/top/a/f2"))) {
            EXPECT_EQ(item->size, 2);
        }
        if (item->url.endsWith(QLatin1String("/deep"))) {
            EXPECT_TRUE(item->isDir);
        }
    }
}

TEST(FileObjBuilderTest, SolidStateCheckIsAskedOncePerFileSystem) {
    QTemporaryDir dir;
    for (int i = 0; i < 5; ++i)
        writeFile(dir.path() + QStringLiteral("/d/f%1").arg(i), "x");
    int asked = 0;
    FileObjBuilder builder([&](const QString&) {
        ++asked;
        return true;
    });
    const QList<FileObjPtr> work =
        builder.buildWorkList({builder.addFileToArr(dir.path() + QStringLiteral("/d"))});
    ASSERT_EQ(work.size(), 6);
    for (const FileObjPtr& item : work)
        EXPECT_TRUE(item->isSSD);
    EXPECT_EQ(asked, 1);
    FileObjPtr plain =
        FileObjBuilder(kNoMediumCheck).addFileToArr(dir.path() + QStringLiteral("/d/f0"));
    EXPECT_FALSE(plain->isSSD);
}

TEST(FileObjBuilderTest, LinksAreItemsAndAreNeverEntered) {
    QTemporaryDir dir, outside;
    writeFile(outside.path() + QStringLiteral("/sub/file"), "x");
    writeFile(dir.path() + QStringLiteral("/t/real"), "y");
    ASSERT_TRUE(QFile::link(outside.path() + QStringLiteral("/sub"),
                            dir.path() + QStringLiteral("/t/dirlink")));
    FileObjBuilder builder(kNoMediumCheck);
    FileObjPtr link = builder.addFileToArr(dir.path() + QStringLiteral("/t/dirlink"));
    EXPECT_TRUE(link->isSymbolicLink);
    EXPECT_FALSE(link->isDir);
    // Even when a caller claims the link is a folder, nothing behind it is listed.
    link->isDir = true;
    EXPECT_EQ(builder.buildWorkList({link}).size(), 1);
    const QList<FileObjPtr> work =
        builder.buildWorkList({builder.addFileToArr(dir.path() + QStringLiteral("/t"))});
    EXPECT_EQ(relativeUrls(work, dir.path()).size(), 3);
    for (const FileObjPtr& item : work)
        EXPECT_FALSE(item->url.contains(QLatin1String("/dirlink/")));
}

TEST(FileObjBuilderTest, AnotherMountedFileSystemIsNotEntered) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting needs root";
    QTemporaryDir dir;
    const QString point = dir.path() + QStringLiteral("/t/mnt");
    QDir().mkpath(point);
    if (::mount("korvane-test", QFile::encodeName(point).constData(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    writeFile(point + QStringLiteral("/other-volume-file"), "z");
    FileObjBuilder builder(kNoMediumCheck);
    const QList<FileObjPtr> work =
        builder.buildWorkList({builder.addFileToArr(dir.path() + QStringLiteral("/t"))});
    const QStringList order = relativeUrls(work, dir.path());
    ::umount(QFile::encodeName(point).constData());
    EXPECT_EQ(order, (QStringList{QStringLiteral("t/mnt"), QStringLiteral("t")}));
}

} // namespace

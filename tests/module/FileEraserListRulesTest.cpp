#include "app/Main/FileEraser/FileEraserBatch.h"
#include "app/Main/FileEraser/FileEraserOutcome.h"
#include "app/Main/FileEraser/FileEraserSorter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

FileObjPtr makeItem(const QString& path, bool isDir) {
    auto item = std::make_shared<FileObj>();
    item->url = path;
    item->name = QFileInfo(path).fileName();
    item->isDir = isDir;
    item->size = isDir ? 0 : QFileInfo(path).size();
    return item;
}

class FileEraserListRulesTest : public ::testing::Test {
protected:
    QString touch(const QString& name, int bytes = 1) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(bytes, 'x'));
        return path;
    }
    QTemporaryDir dir;
    QStringList refusedPaths;
    FileEraserBatch::VolumeRefusal noRefusal = [](const QString&) { return false; };
};

TEST_F(FileEraserListRulesTest, SkipsDuplicatesMissingPathsAndStopsAtRoot) {
    QList<FileObjPtr> list;
    const QString a = touch("a.txt");
    const QString b = touch("b.txt");
    const QString c = touch("c.txt");
    auto first = FileEraserBatch::addPaths(list, {a, a}, noRefusal, makeItem);
    EXPECT_EQ(first.added, 1);
    // A batch whose third path is "/" adds the first two and nothing after it.
    auto second =
        FileEraserBatch::addPaths(list, {b, dir.filePath("missing"), "/", c}, noRefusal, makeItem);
    EXPECT_TRUE(second.stoppedAtRoot);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0]->url, a);
    EXPECT_EQ(list[1]->url, b);
    auto third = FileEraserBatch::addPaths(list, {b, c, dir.path()}, noRefusal, makeItem);
    EXPECT_EQ(third.added, 2);
    EXPECT_TRUE(list.last()->isDir);
}

TEST_F(FileEraserListRulesTest, RefusedVolumeAddsNothingFromThatPath) {
    QList<FileObjPtr> list;
    const QString ntfs = touch("on-ntfs.txt");
    const QString plain = touch("plain.txt");
    auto refuses = [&](const QString& p) { return p == ntfs; };
    auto whole = FileEraserBatch::addPaths(list, {ntfs, plain}, refuses, makeItem);
    EXPECT_TRUE(whole.refusedNtfs);
    EXPECT_TRUE(list.isEmpty()); // the first path decides for the batch
    auto mixed = FileEraserBatch::addPaths(list, {plain, ntfs}, refuses, makeItem);
    EXPECT_TRUE(mixed.refusedNtfs);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0]->url, plain);
}

TEST_F(FileEraserListRulesTest, SortsByNameOrSizeBothWays) {
    QList<FileObjPtr> list;
    for (auto [name, size] : {std::pair{"b", 5}, {"B", 50}, {"a", 500}, {"folder", 0}}) {
        auto item = std::make_shared<FileObj>();
        item->name = QString::fromLatin1(name);
        item->size = size;
        list.append(item);
    }
    auto names = [](const QList<FileObjPtr>& l) {
        QStringList out;
        for (const auto& i : l)
            out << i->name;
        return out.join(',');
    };
    // Plain comparison: upper case sorts before lower case.
    EXPECT_EQ(names(FileEraserSorter::sorted(list, 0, 0)), QStringLiteral("B,a,b,folder"));
    EXPECT_EQ(names(FileEraserSorter::sorted(list, 0, 1)), QStringLiteral("folder,b,a,B"));
    EXPECT_EQ(names(FileEraserSorter::sorted(list, 1, 1)), QStringLiteral("a,B,b,folder"));
    EXPECT_EQ(names(FileEraserSorter::sorted(list, 1, 0)), QStringLiteral("folder,b,B,a"));
}

TEST_F(FileEraserListRulesTest, OutcomeMarksSelectedByExistenceAndKeepsUnselected) {
    QList<FileObjPtr> list;
    const QString gone = touch("gone.txt");
    const QString kept = touch("kept.txt");
    const QString unselected = touch("unselected.txt");
    const QString link = dir.filePath("dangling");
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), link));
    for (const QString& p : {gone, kept, unselected, link})
        list.append(makeItem(p, false));
    list[2]->isSelect = false;
    QFile::remove(gone);
    const auto results = FileEraserOutcome::takeSelectedResults(list);
    ASSERT_EQ(results.size(), 3);
    EXPECT_EQ(results[0]->failStr, QStringLiteral("Erased"));
    EXPECT_EQ(results[1]->failStr, QStringLiteral("Failed"));
    EXPECT_EQ(results[2]->failStr, QStringLiteral("Failed")); // a link left behind is not erased
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0]->url, unselected);
}

} // namespace

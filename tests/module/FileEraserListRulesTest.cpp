#include "app/Main/FileEraser/FileEraserBatch.h"
#include "app/Main/FileEraser/FileEraserSorter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

FileObjPtr makeItem(const QByteArray& native, bool isDir) {
    const QString path = QFile::decodeName(native);
    auto item = std::make_shared<FileObj>();
    item->url = path;
    item->nativeUrl = native;
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
    // The real check, except that the paths NTFS names lie "on an NTFS volume".
    QStringList ntfs;
    FileEraserBatch::PathCheck check = [this](const QString& path) {
        ErasePathCheck::Result r = ErasePathCheck(ErasePathCheck::Protected{}).check(path);
        if (ntfs.contains(path)) {
            r.verdict = ErasePathCheck::Verdict::Refuse;
            r.reason = ErasePathCheck::Reason::Ntfs;
        }
        return r;
    };
};

TEST_F(FileEraserListRulesTest, SkipsDuplicatesMissingPathsAndStopsAtRoot) {
    QList<FileObjPtr> list;
    const QString a = touch("a.txt");
    const QString b = touch("b.txt");
    const QString c = touch("c.txt");
    auto first = FileEraserBatch::addPaths(list, {a, a}, check, makeItem);
    EXPECT_EQ(first.added, 1);
    // A batch whose third path is "/" adds the first two and nothing after it.
    auto second =
        FileEraserBatch::addPaths(list, {b, dir.filePath("missing"), "/", c}, check, makeItem);
    EXPECT_TRUE(second.stoppedAtRoot);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0]->url, a);
    EXPECT_EQ(list[1]->url, b);
    auto third = FileEraserBatch::addPaths(list, {b, c, dir.path()}, check, makeItem);
    EXPECT_EQ(third.added, 2);
    EXPECT_TRUE(list.last()->isDir);
}

TEST_F(FileEraserListRulesTest, RefusedVolumeAddsNothingFromThatPath) {
    QList<FileObjPtr> list;
    const QString onNtfs = touch("on-ntfs.txt");
    const QString plain = touch("plain.txt");
    ntfs = {onNtfs};
    auto whole = FileEraserBatch::addPaths(list, {onNtfs, plain}, check, makeItem);
    EXPECT_TRUE(whole.refusedNtfs);
    EXPECT_TRUE(list.isEmpty()); // the first path decides for the batch
    auto mixed = FileEraserBatch::addPaths(list, {plain, onNtfs}, check, makeItem);
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

// Paths the erasure refuses are left out with a sentence saying why; the rest of the batch is
// added, made absolute.
TEST_F(FileEraserListRulesTest, RefusedPathsAreLeftOutWithTheirReason) {
    QList<FileObjPtr> list;
    const QString a = touch("a.txt");
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    auto result = FileEraserBatch::addPaths(
        list, {"", ".", "..", dir.path() + "/..", "a.txt", dir.path() + "/./a.txt"}, check,
        makeItem);
    QDir::setCurrent(cwd);
    EXPECT_EQ(result.added, 1);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0]->url, a) << "relative paths are listed absolute, once";
    ASSERT_EQ(result.refusals.size(), 4) << result.refusals.join('\n').toStdString();
    EXPECT_TRUE(result.refusals[0].contains("empty path"));
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(result.refusals[i].contains("'..'")) << result.refusals[i].toStdString();
}

} // namespace

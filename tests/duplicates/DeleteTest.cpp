// Deleting chosen duplicates: the pick helpers and their rules, the byte-for-byte check before
// a copy goes, the freedesktop Trash of the user the program works for, plain removal.
#include "DuplicateTestSupport.h"
#include "app/Job/DeleteDuplicatesOperation.h"
#include "app/duplicat/Duplicate/duplicateFind.h"
#include "app/duplicat/DuplicateDeleteJob.h"
#include "app/duplicat/DuplicatePick.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using namespace duptest;

namespace {

QList<DuplicateGroup> find(const QString& root, bool hidden = false) {
    duplicateFind finder;
    finder.setSearchOption(hidden, false);
    finder.searchDuplicateFileAtPath(root, 0);
    QList<fileAttrbItemPtr> flat;
    finder.getAllDuplicateFile(&flat);
    return DuplicateGroup::split(flat);
}

void age(const QString& path, int secondsAgo) {
    struct utimbuf t {};
    t.actime = t.modtime = ::time(nullptr) - secondsAgo;
    ::utime(QFile::encodeName(path).constData(), &t);
}

UserAccount fakeUser(const QString& home) {
    UserAccount user;
    user.name = QStringLiteral("tester");
    user.home = home;
    user.uid = ::geteuid();
    user.gid = ::getegid();
    return user;
}

DuplicateDeleteJob::Report run(DuplicateDeleteJob::Options options,
                               const QList<DuplicateGroup>& groups,
                               const QList<DuplicatePick::Marks>& marks) {
    DuplicateDeleteJob job(std::move(options));
    QEventLoop loop;
    QObject::connect(&job, &DuplicateDeleteJob::finished, &loop, &QEventLoop::quit);
    job.start(groups, marks);
    loop.exec();
    return job.report();
}

} // namespace

// Copies of the same time: "keep newest" and "keep oldest" keep a visible copy before a hidden
// one, and the shorter path before a longer one, whatever order the search found them in.
TEST(DuplicateDelete, OnEqualTimesTheVisibleShorterPathIsKept) {
    QTemporaryDir dir;
    const QString r = dir.path();
    for (const char* name : {".hidden/doc.txt", "a/deeper/doc.txt", "docs/doc.txt", ".doc.txt"})
        age(put(r, name, "same content"), 1000);
    const QList<DuplicateGroup> groups = find(r, true);
    ASSERT_EQ(groups.size(), 1);
    const DuplicateGroup& g = groups.first();
    ASSERT_EQ(g.files.size(), 4);
    for (const DuplicatePick::Marks& marks :
         {DuplicatePick::keepNewest(g), DuplicatePick::keepOldest(g)}) {
        QStringList kept;
        for (int i = 0; i < marks.size(); ++i)
            if (!marks[i])
                kept << g.files[i]->filePathName.mid(r.size() + 1);
        EXPECT_EQ(kept, QStringList{"docs/doc.txt"});
    }
}

TEST(DuplicateDelete, HelpersKeepOneCopyAndNeverOfferSharedStorage) {
    QTemporaryDir dir;
    const QString r = dir.path();
    age(put(r, "old/f", "content"), 3000);
    age(put(r, "mid/f", "content"), 2000);
    age(put(r, "new/f", "content"), 1000);
    const QList<DuplicateGroup> groups = find(r);
    ASSERT_EQ(groups.size(), 1);
    const DuplicateGroup& g = groups.first();
    const auto kept = [&](const DuplicatePick::Marks& marks) {
        QStringList out;
        for (int i = 0; i < marks.size(); ++i)
            if (!marks[i])
                out << g.files[i]->filePathName.mid(r.size() + 1);
        return out;
    };
    EXPECT_EQ(kept(DuplicatePick::keepNewest(g)), QStringList({"new/f"}));
    EXPECT_EQ(kept(DuplicatePick::keepOldest(g)), QStringList({"old/f"}));
    EXPECT_EQ(kept(DuplicatePick::keepInFolder(g, r + "/mid")), QStringList({"mid/f"}));
    EXPECT_EQ(kept(DuplicatePick::keepInFolder(g, r + "/elsewhere")).size(), 3); // left alone
    // Every copy chosen: nothing is deleted.
    EXPECT_EQ(kept(DuplicatePick::sanitize(g, {true, true, true})).size(), 3);
    EXPECT_TRUE(DuplicateDeleteJob::plan(groups, {{true, true, true}}).isEmpty());

    // A hard link of the kept copy is not offered; a real copy is.
    QTemporaryDir links;
    const QString a = put(links.path(), "a", "linked");
    ASSERT_EQ(::link(QFile::encodeName(a), QFile::encodeName(links.path() + "/b")), 0);
    put(links.path(), "c", "linked");
    const QList<DuplicateGroup> lg = find(links.path());
    ASSERT_EQ(lg.size(), 1);
    for (int keep = 0; keep < 3; ++keep) {
        const DuplicatePick::Marks marks = DuplicatePick::keepOnly(lg.first(), keep);
        for (int i = 0; i < 3; ++i)
            if (marks[i])
                EXPECT_NE(lg.first().files[i]->inode, lg.first().files[keep]->inode);
        const auto planned = DuplicateDeleteJob::plan(lg, {marks});
        for (const auto& p : planned)
            EXPECT_NE(p.file->inode, p.reference->inode);
    }
}

TEST(DuplicateDelete, TrashOfTheUserAfterAByteForByteCheck) {
    QTemporaryDir dir, home;
    const QString r = dir.path();
    put(r, "keep/x", "same bytes here");
    put(r, "dup/x", "same bytes here");
    put(r, "dup/y", "same bytes here");
    put(r, "other/p", bytes(5000, 1));
    put(r, "other/q", bytes(5000, 1));
    const QList<DuplicateGroup> groups = find(r);
    ASSERT_EQ(groups.size(), 2);
    QList<DuplicatePick::Marks> marks;
    for (const DuplicateGroup& g : groups)
        marks << DuplicatePick::keepInFolder(g, r + (g.fileSize == 15 ? "/keep" : "/other"));
    // One of the second group's pair kept: keepInFolder kept both; keep p only.
    for (int i = 0; i < groups[1].files.size(); ++i)
        if (groups[1].fileSize == 5000)
            marks[1][i] = groups[1].files[i]->fileName == "q";
    if (groups[0].fileSize == 5000)
        for (int i = 0; i < groups[0].files.size(); ++i)
            marks[0][i] = groups[0].files[i]->fileName == "q";
    // Changed since the search: same size, other content. It must stay.
    put(r, "other/q", bytes(5000, 2));

    DuplicateDeleteJob::Options options;
    options.trashUser = fakeUser(home.path());
    const DuplicateDeleteJob::Report report = run(options, groups, marks);
    EXPECT_EQ(report.removed(), 2);
    EXPECT_EQ(report.failed(), 1);
    EXPECT_EQ(report.bytesFreed(), 30u);
    ASSERT_EQ(report.failureLines().size(), 1);
    EXPECT_TRUE(
        report.failureLines().first().contains("other/q: not removed: its content differs"));
    EXPECT_TRUE(QFileInfo::exists(r + "/keep/x"));
    EXPECT_FALSE(QFileInfo::exists(r + "/dup/x"));
    EXPECT_FALSE(QFileInfo::exists(r + "/dup/y"));
    EXPECT_TRUE(QFileInfo::exists(r + "/other/q"));
    // In the user's home trash, with info files that name where they were.
    const QString trash = home.path() + "/.local/share/Trash";
    QStringList inFiles = QDir(trash + "/files").entryList(QDir::Files);
    inFiles.sort();
    EXPECT_EQ(inFiles, QStringList({"x", "y"}));
    QFile info(trash + "/info/x.trashinfo");
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    const QByteArray text = info.readAll();
    EXPECT_TRUE(
        text.startsWith("[Trash Info]\nPath=" + QUrl::toPercentEncoding(r + "/dup/x", "/")));
    EXPECT_TRUE(text.contains("\nDeletionDate="));
    // A second file of the same name gets another name; the first one is not replaced.
    put(r, "keep2/x", "twice");
    put(r, "dup2/x", "twice");
    QList<DuplicateGroup> again = find(r + "/dup2/..");
    QList<DuplicatePick::Marks> againMarks;
    for (const DuplicateGroup& g : again)
        againMarks << DuplicatePick::keepInFolder(g, r + "/keep2");
    run(options, again, againMarks);
    EXPECT_TRUE(QFileInfo::exists(trash + "/files/x.2"));
    EXPECT_TRUE(QFileInfo::exists(trash + "/info/x.2.trashinfo"));

    // A trash folder that is a link (planted to send files elsewhere) is refused.
    QTemporaryDir home2, elsewhere;
    QDir().mkpath(home2.path() + "/.local/share");
    ASSERT_TRUE(QFile::link(elsewhere.path(), home2.path() + "/.local/share/Trash"));
    put(r, "k3/z", "third");
    put(r, "d3/z", "third");
    QList<DuplicateGroup> third = find(r + "/d3/..");
    QList<DuplicatePick::Marks> thirdMarks;
    for (const DuplicateGroup& g : third)
        thirdMarks << DuplicatePick::keepInFolder(g, r + "/k3");
    options.trashUser = fakeUser(home2.path());
    const DuplicateDeleteJob::Report refused = run(options, third, thirdMarks);
    EXPECT_EQ(refused.removed(), 0);
    EXPECT_TRUE(QFileInfo::exists(r + "/d3/z"));
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
}

TEST(DuplicateDelete, PlainRemovalAndAKeptCopyThatVanished) {
    QTemporaryDir dir;
    const QString r = dir.path();
    put(r, "a/f", "payload");
    put(r, "b/f", "payload");
    put(r, "c/g", "gone soon");
    put(r, "d/g", "gone soon");
    const QList<DuplicateGroup> groups = find(r);
    ASSERT_EQ(groups.size(), 2);
    QList<DuplicatePick::Marks> marks;
    for (const DuplicateGroup& g : groups)
        marks << DuplicatePick::keepInFolder(g, r + (g.fileSize == 7 ? "/a" : "/c"));
    QFile::remove(r + "/c/g"); // the copy that was to stay is gone: d/g must stay
    DuplicateDeleteJob::Options options;
    options.method = DuplicateDeleteJob::Method::Remove;
    const DuplicateDeleteJob::Report report = run(options, groups, marks);
    EXPECT_EQ(report.removed(), 1);
    EXPECT_EQ(report.failed(), 1);
    EXPECT_FALSE(QFileInfo::exists(r + "/b/f"));
    EXPECT_TRUE(QFileInfo::exists(r + "/a/f"));
    EXPECT_TRUE(QFileInfo::exists(r + "/d/g"));
    EXPECT_EQ(report.bytesFreed(), 7u);
}

// Through the operation: a group never loses all its copies (every one is refused by name and
// the report is not ok); otherwise the plan changes nothing, a stop asked for before the run
// deletes nothing, and the run removes the copies asked for.
TEST(DuplicateDelete, TheOperationKeepsEveryGroupAndRemovesTheCopiesAskedFor) {
    QTemporaryDir dir;
    const QByteArray data = bytes(70000, 7);
    const QString a = put(dir.path(), "a/photo.jpg", data);
    const QString b = put(dir.path(), "b/photo.jpg", data);
    const QString c = put(dir.path(), "c/photo.jpg", data);
    const QList<DuplicateGroup> groups = find(dir.path());
    ASSERT_EQ(groups.size(), 1);
    ASSERT_EQ(groups.first().files.size(), 3);
    const auto present = [&] {
        return int(QFile::exists(a)) + int(QFile::exists(b)) + int(QFile::exists(c));
    };
    DuplicateDeleteJob::Options options;
    options.method = DuplicateDeleteJob::Method::Remove;
    using Op = DestructiveOperation;

    DeleteDuplicatesOperation every(groups, {DuplicatePick::Marks{true, true, true}}, options);
    const Op::Plan all = every.plan({}, {});
    EXPECT_EQ(all.refusals.size(), 3);
    EXPECT_EQ(all.refusals.first().reason, Op::Refusal::NotAllowed);
    EXPECT_FALSE(all.runnable());
    EXPECT_FALSE(every.run(all, Op::Consents::all(), {}, {}).ok());
    EXPECT_EQ(present(), 3);

    DeleteDuplicatesOperation two(groups, {DuplicatePick::Marks{true, true, false}}, options);
    const Op::Plan plan = two.plan({}, {});
    EXPECT_EQ(present(), 3);
    EXPECT_TRUE(plan.refusals.isEmpty());
    EXPECT_EQ(plan.items.size(), 2);
    EXPECT_EQ(plan.bytes, 2u * 70000);
    Op::StopToken stopped;
    stopped.requestStop();
    const Op::Report none = two.run(plan, Op::Consents::all(), stopped, {});
    EXPECT_TRUE(none.cancelled);
    EXPECT_EQ(present(), 3);

    const Op::Report report = two.run(plan, Op::Consents::all(), {}, {});
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.bytes(Op::Outcome::Done), 2u * 70000);
    EXPECT_EQ(present(), 1);
    EXPECT_TRUE(QFile::exists(groups.first().files.at(2)->filePathName));
}

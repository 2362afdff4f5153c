// What a free-space wipe leaves alone and when it refuses to run, on loop-mounted ext4 images:
// a user's entries named like the work folder, a second wipe of the same volume, a user
// without the rights; and what a whole-volume wipe stopped once formatted says.
#include "LoopImage.h"
#include "WipeProofSupport.h"

#include "app/Main/WipeDisk/DiskUtil.h"
#include "app/Main/WipeDisk/FreeSpaceWipeLock.h"
#include "app/Main/WipeDisk/WholeVolumeWipeJob.h"
#include "app/Main/WipeDisk/WipeWorkFolder.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <csignal>
#include <sys/stat.h>

using namespace wipeproof;

namespace {

const QString kKorvane = QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane");

struct CliRun {
    int code = -1;
    QString out, err;
};

// `korvane ARGS` with the throw-away bundle; PREFIX (e.g. setpriv ...) runs it as another user.
CliRun korvane(const QStringList& args, const QStringList& prefix = {}) {
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setWorkingDirectory(QDir::tempPath());
    const QStringList all = prefix + QStringList{kKorvane} + args;
    process.start(all.first(), all.mid(1));
    process.waitForFinished(300000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

struct Snapshot {
    QByteArray content;
    struct stat st {};
};

Snapshot snapshotOf(const QString& path) {
    Snapshot s;
    s.content = contentOf(path);
    ::lstat(QFile::encodeName(path).constData(), &s.st);
    return s;
}

void expectSame(const Snapshot& before, const QString& path) {
    const Snapshot after = snapshotOf(path);
    EXPECT_EQ(after.content, before.content) << path.toStdString();
    EXPECT_EQ(after.st.st_ino, before.st.st_ino) << path.toStdString();
    EXPECT_EQ(after.st.st_mtim.tv_sec, before.st.st_mtim.tv_sec) << path.toStdString();
    EXPECT_EQ(after.st.st_mtim.tv_nsec, before.st.st_mtim.tv_nsec) << path.toStdString();
}

// A user's folder ".Korvane" holding a file ".korvane_1" (and a file named ".Korvane-2") used
// to be taken for a leftover work folder: its fill-named file was deleted and the wipe refused.
// Now both stay as they were, byte for byte, and the wipe works in a folder of its own.
TEST(WipeOnAVolume, AUsersEntriesNamedLikeTheWorkFolderAreLeftWhole) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty())
        GTEST_SKIP() << why;
    WipeBundle bundle;
    LoopImage image(LoopImage::FileSystem::Ext4, 48u << 20);
    image.mount();
    const std::string root = image.mountPoint();
    const QString qroot = QString::fromStdString(root);
    ASSERT_EQ(::mkdir((root + "/.Korvane").c_str(), 0755), 0);
    writeMarked(root + "/.Korvane/.korvane_1", "ZQUSERDATA", 64u << 10);
    writeMarked(root + "/.Korvane/notes.txt", "ZQUSERNOTE", 100);
    writeMarked(root + "/.Korvane-2", "ZQUSERFILE", 100);
    writeMarked(root + "/gone.bin", "ZQGONEMARK", 2u << 20);
    ASSERT_EQ(::unlink((root + "/gone.bin").c_str()), 0);
    ::sync();
    const QStringList userPaths = {qroot + "/.Korvane/.korvane_1", qroot + "/.Korvane/notes.txt",
                                   qroot + "/.Korvane-2", qroot + "/.Korvane"};
    QList<Snapshot> before;
    for (const QString& path : userPaths)
        before << snapshotOf(path);

    FreeSpaceWipeJob job(volumeAt(root, QStringLiteral("USERS")), {1, true, false, {}});
    ASSERT_TRUE(runToEnd(job));
    EXPECT_TRUE(job.report().ok) << job.report().reason.toStdString();
    EXPECT_EQ(job.report().workFolder, QStringLiteral(".Korvane-3"));
    for (qsizetype i = 0; i < userPaths.size(); ++i)
        expectSame(before[i], userPaths[i]);
    EXPECT_EQ(
        QDir(qroot + "/.Korvane").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        (QStringList{".korvane_1", "notes.txt"}));
    EXPECT_FALSE(QFileInfo::exists(qroot + "/.Korvane-3")) << "its own folder is gone";
    image.unmount();
    EXPECT_EQ(image.count("ZQGONEMARK"), 0u) << "the free space was overwritten";
    EXPECT_GE(image.count("ZQUSERDATA"), 1000u);
}

// A wipe the history cannot take still wipes, but does not end as if all were well: the
// damaged history is named, left as it is, and the run ends with status 1.
TEST(WipeOnAVolume, AWipeTheHistoryCannotHoldEndsWithStatusOne) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty())
        GTEST_SKIP() << why;
    WipeBundle bundle;
    if (!bundle.hasVolumeTool())
        GTEST_SKIP() << "the volume tool is not built: `korvane` was not tried";
    const QString history =
        bundle.outer() +
        QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/DataBase.db");
    const QByteArray damaged = QByteArray(4096, '\x5a');
    {
        QFile file(history);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(damaged), damaged.size());
    }
    LoopImage image(LoopImage::FileSystem::Ext4, 32u << 20);
    image.mount();

    const CliRun cli =
        korvane({QStringLiteral("wipe-free-space"), QString::fromStdString(image.mountPoint()),
                 QStringLiteral("--level"), QStringLiteral("1"), QStringLiteral("--yes"),
                 QStringLiteral("--bundle"), bundle.outer()});
    EXPECT_EQ(cli.code, 1) << cli.out.toStdString() << cli.err.toStdString();
    EXPECT_TRUE(cli.out.startsWith(QStringLiteral("Erased the free space of")))
        << cli.out.toStdString();
    EXPECT_TRUE(cli.err.contains(QStringLiteral("could not be recorded in the history: ") +
                                 history + QStringLiteral(" is damaged")))
        << cli.err.toStdString();
    EXPECT_EQ(contentOf(history), damaged) << "a damaged history is never written into";
}

// The history names the standard that ran, not the stored one; a level outside the table
// is refused by the job and by `korvane`, and nothing is written for it.
TEST(WipeOnAVolume, TheHistoryNamesTheLevelThatRanAndOthersAreRefused) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty())
        GTEST_SKIP() << why;
    WipeBundle bundle;
    LoopImage image(LoopImage::FileSystem::Ext4, 32u << 20);
    image.mount();
    const std::string root = image.mountPoint();

    FreeSpaceWipeJob three(volumeAt(root, QStringLiteral("THREE")), {3, true, false, {}});
    ASSERT_TRUE(runToEnd(three));
    EXPECT_TRUE(three.report().ok) << three.report().reason.toStdString();
    EXPECT_EQ(three.report().passes, 3);
    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    ASSERT_FALSE(history.isEmpty());
    EXPECT_EQ(history.first().last().erasureStandard, QStringLiteral("U.S. Army AR380-19"));

    FreeSpaceWipeJob nine(volumeAt(root, QStringLiteral("NINE")), {9, true, false, {}});
    ASSERT_TRUE(runToEnd(nine));
    EXPECT_FALSE(nine.report().ok);
    EXPECT_EQ(nine.report().reason, FreeSpaceWipeJob::kUnknownLevel.arg(9));

    for (const char* verb : {"wipe-free-space", "wipe-volume"})
        for (const char* level : {"9", "4", "0"}) {
            const CliRun cli =
                korvane({QString::fromLatin1(verb), QString::fromStdString(root),
                         QStringLiteral("--level"), QString::fromLatin1(level),
                         QStringLiteral("--yes"), QStringLiteral("--bundle"), bundle.outer()});
            EXPECT_EQ(cli.code, 2) << verb << " --level " << level;
            EXPECT_TRUE(cli.err.contains(QStringLiteral("unknown level '%1'").arg(level)))
                << cli.err.toStdString();
        }
}

// The job itself refuses an NTFS volume's free space, whatever type its caller named, and
// writes nothing there.
TEST(WipeOnAVolume, TheJobRefusesAnNtfsVolumeItself) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ntfs); !why.empty())
        GTEST_SKIP() << why;
    WipeBundle bundle;
    LoopImage image(LoopImage::FileSystem::Ntfs, 32u << 20);
    image.mount();
    const QString root = QString::fromStdString(image.mountPoint());
    const QStringList before = QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    FreeSpaceWipeJob job(volumeAt(image.mountPoint(), QStringLiteral("WINDATA")),
                         {1, true, false, {}});
    ASSERT_TRUE(runToEnd(job));
    EXPECT_FALSE(job.report().ok);
    EXPECT_EQ(job.report().reason, FreeSpaceWipeJob::kNtfs.arg(QStringLiteral("WINDATA")));
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
}

// While one wipe runs, a second of the same volume, in this process or from `korvane`, is
// refused with its own text and takes nothing from the first, which ends as it would alone.
TEST(WipeOnAVolume, ASecondWipeOfTheVolumeIsRefusedWithItsOwnText) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty())
        GTEST_SKIP() << why;
    WipeBundle bundle;
    LoopImage image(LoopImage::FileSystem::Ext4, 64u << 20);
    image.mount();
    const std::string root = image.mountPoint();

    FreeSpaceWipeJob first(volumeAt(root, QStringLiteral("FIRST")), {35, true, false, {}});
    bool firstEnded = false, firstWriting = false;
    QObject::connect(&first, &FreeSpaceWipeJob::finished, [&] { firstEnded = true; });
    QObject::connect(&first, &FreeSpaceWipeJob::progress, [&] { firstWriting = true; });
    first.start();
    QElapsedTimer clock;
    clock.start();
    while (!firstWriting && !firstEnded && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(firstWriting && !firstEnded) << first.report().reason.toStdString();

    FreeSpaceWipeJob second(volumeAt(root, QStringLiteral("SECOND")), {1, true, false, {}});
    ASSERT_TRUE(runToEnd(second));
    EXPECT_FALSE(second.report().ok);
    EXPECT_EQ(second.report().reason, FreeSpaceWipeJob::kAnotherWipe);
    EXPECT_EQ(lastHistoryResult(), QStringLiteral("Failed"));

    if (bundle.hasVolumeTool()) {
        const CliRun cli =
            korvane({QStringLiteral("wipe-free-space"), QString::fromStdString(root),
                     QStringLiteral("--level"), QStringLiteral("1"), QStringLiteral("--yes"),
                     QStringLiteral("--bundle"), bundle.outer()});
        EXPECT_EQ(cli.code, 1) << cli.err.toStdString();
        EXPECT_TRUE(cli.out.contains(FreeSpaceWipeJob::kAnotherWipe)) << cli.out.toStdString();
    }
    EXPECT_FALSE(firstEnded) << "the first wipe went on";
    first.cancel();
    clock.restart();
    while (!firstEnded && clock.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(firstEnded);
    EXPECT_EQ(first.report().reason, FreeSpaceWipeJob::kCancelled);
    FreeSpaceWipeLock after;
    EXPECT_EQ(after.acquire(QString::fromStdString(root)), FreeSpaceWipeLock::Outcome::Held)
        << "the lock goes with the wipe";
    if (!bundle.hasVolumeTool())
        GTEST_SKIP() << "the volume tool is not built: `korvane` was not tried";
}

// A user who may not write on the volume is told so, not that the volume is busy or
// read-only; a read-only volume gets its own text as well.
TEST(WipeOnAVolume, NoRightsAndReadOnlyEachGetTheirOwnText) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty())
        GTEST_SKIP() << why;
    if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        GTEST_SKIP() << "setpriv (util-linux) is needed to run korvane as another user";
    WipeBundle bundle;
    if (!bundle.hasVolumeTool())
        GTEST_SKIP() << "the volume tool is not built";
    LoopImage image(LoopImage::FileSystem::Ext4, 32u << 20);
    image.mount();
    const QString root = QString::fromStdString(image.mountPoint());
    // The user must reach the volume and the tools; the volume's root stays root's (0755).
    for (const QString& folder : {QFileInfo(root).path(), bundle.folder()})
        ::chmod(QFile::encodeName(folder).constData(), 0755);
    const QStringList asNobody = {QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
                                  QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                                  QStringLiteral("--")};
    const QStringList wipe = {QStringLiteral("wipe-free-space"),
                              root,
                              QStringLiteral("--level"),
                              QStringLiteral("1"),
                              QStringLiteral("--yes"),
                              QStringLiteral("--bundle"),
                              bundle.outer()};
    const CliRun denied = korvane(wipe, asNobody);
    EXPECT_EQ(denied.code, 1) << denied.err.toStdString();
    // Refused while planning: said on standard error, as every refusal of korvane is.
    EXPECT_TRUE(denied.err.contains(FreeSpaceWipeJob::kNoPermission))
        << denied.out.toStdString() << denied.err.toStdString();
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("lost+found")});

    ASSERT_EQ(LoopImage::run({"mount", "-o", "remount,ro", image.mountPoint()}), 0);
    const CliRun readOnly = korvane(wipe);
    LoopImage::run({"mount", "-o", "remount,rw", image.mountPoint()});
    EXPECT_EQ(readOnly.code, 1) << readOnly.err.toStdString();
    EXPECT_TRUE(readOnly.err.contains(FreeSpaceWipeJob::kReadOnly)) << readOnly.err.toStdString();
}

// Stopped while the volume is being formatted, the whole-volume wipe lets the format finish and
// then says, in the job, the history and `korvane`, that the volume was emptied but its free
// space not overwritten (it used to say only "canceled"). `korvane` gets 35 passes to make sure
// the signal comes before the end, during the format or during the passes.
TEST(WholeVolumeWipeEnds, StoppedOnceFormattedSaysTheVolumeWasEmptied) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty())
        GTEST_SKIP() << why;
    WipeBundle bundle;
    if (!bundle.hasVolumeTool())
        GTEST_SKIP() << "the volume tool is not built";
    LoopImage image(LoopImage::FileSystem::Ext4, 48u << 20);
    image.mount();
    const std::string root = image.mountPoint();
    writeMarked(root + "/old-file.txt", "ZQOLDFILE", 100000);
    const QVariantMap info = DiskUtil::getDisjInfo(QString::fromStdString(root));
    ASSERT_FALSE(info.isEmpty()) << "the volume tool describes the image";
    {
        WholeVolumeWipeJob job(VolumeObj::fromDictionary(info), {1, true, {}});
        bool ended = false;
        QObject::connect(&job, &WholeVolumeWipeJob::finished, [&] { ended = true; });
        job.start();
        job.cancel(); // the format has started: it is let finish
        QElapsedTimer clock;
        clock.start();
        while (!ended && clock.elapsed() < 300000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        ASSERT_TRUE(ended);
        EXPECT_TRUE(job.report().cancelled);
        EXPECT_TRUE(job.report().volumeEmptied);
        EXPECT_EQ(job.report().reason, WholeVolumeWipeJob::kStoppedAfterFormat);
        EXPECT_EQ(lastHistoryResult(), WholeVolumeWipeJob::kEmptiedResult);
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(root) + "/old-file.txt"));
    }

    writeMarked(root + "/old-file.txt", "ZQOLDFILE", 100000);
    QProcess cli;
    cli.setStandardInputFile(QProcess::nullDevice());
    cli.start(kKorvane, {QStringLiteral("wipe-volume"), QString::fromStdString(root),
                         QStringLiteral("--level"), QStringLiteral("35"), QStringLiteral("--yes"),
                         QStringLiteral("--bundle"), bundle.outer()});
    ASSERT_TRUE(cli.waitForStarted());
    cli.setReadChannel(QProcess::StandardError);
    QByteArray err;
    while (!err.contains("Formatting") && cli.waitForReadyRead(60000))
        err += cli.readAllStandardError();
    ASSERT_TRUE(err.contains("Formatting")) << err.constData();
    ::kill(pid_t(cli.processId()), SIGINT);
    ASSERT_TRUE(cli.waitForFinished(300000));
    err += cli.readAllStandardError();
    const QString out = QString::fromLocal8Bit(cli.readAllStandardOutput());
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 128 + SIGINT) << err.constData();
    EXPECT_TRUE(out.contains(WholeVolumeWipeJob::kStoppedAfterFormat)) << out.toStdString();
    EXPECT_TRUE(err.contains("Interrupted by SIGINT: the volume was formatted anew (emptied); its "
                             "free space was not overwritten."))
        << err.constData();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(root) + "/old-file.txt"));
}

} // namespace

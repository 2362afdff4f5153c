// Ctrl-C in the middle of `korvane erase` of a folder: the file under way gets the pass it is in
// finished and is removed, nothing after it is begun, and the counts add up. Run with the real
// srm on a loop-mounted ext4 image, whose raw bytes show that the stopped file's data is gone
// and that the files not reached are whole.
#include "LoopImage.h"
#include "tests/support/RealToolBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

using testsupport::LoopImage;

namespace {

const QString kKorvane = QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane");
constexpr int kFiles = 8;
constexpr int kFileSize = 8 << 20;

QByteArray contentOf(int index) {
    const QByteArray line = "ZQCANCEL" + QByteArray::number(index) + "MARK\n";
    return line.repeated(kFileSize / line.size() + 1).left(kFileSize);
}

QByteArray readFile(const QString& path, qint64 size = -1) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return size < 0 ? file.readAll() : file.read(size);
}

TEST(CancelledEraseProof, SignalMidPassFinishesThatPassRemovesTheFileAndCountsTheRest) {
    if (const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
        !why.empty())
        GTEST_SKIP() << why;
    QTemporaryDir bundleRoot;
    const QString bundle = makeRealToolBundle(bundleRoot.path());
    if (bundle.isEmpty())
        GTEST_SKIP() << "the srm tool is not built into the bundle";

    LoopImage image(LoopImage::FileSystem::Ext4, 128ull << 20);
    image.mount();
    const QString folder = QString::fromStdString(image.mountPoint()) + QStringLiteral("/many");
    ASSERT_TRUE(QDir().mkpath(folder));
    QStringList files;
    for (int i = 0; i < kFiles; ++i) {
        files << folder + QStringLiteral("/file%1.bin").arg(i);
        QFile file(files.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(contentOf(i)), kFileSize);
    }
    image.unmount();
    for (int i = 0; i < kFiles; ++i)
        ASSERT_GE(image.count("ZQCANCEL" + std::to_string(i) + "MARK"), 1000u);
    image.mount();

    // 35 passes per file: the signal lands inside a file's passes, not between two files.
    QProcess korvane;
    korvane.start(kKorvane,
                  {QStringLiteral("erase"), QStringLiteral("--level"), QStringLiteral("35"),
                   QStringLiteral("--yes"), QStringLiteral("--bundle"), bundle, folder});
    korvane.closeWriteChannel();
    ASSERT_TRUE(korvane.waitForStarted());
    int begun = -1;
    for (int tries = 0; tries < 6000 && begun < 0; ++tries) {
        for (int i = 0; i < kFiles && begun < 0; ++i)
            if (readFile(files[i], 4096) != contentOf(i).left(4096))
                begun = i;
        if (begun < 0)
            QThread::msleep(5);
    }
    ASSERT_GE(begun, 0) << "srm never began: " << korvane.readAllStandardError().toStdString();
    ASSERT_EQ(::kill(pid_t(korvane.processId()), SIGINT), 0);
    ASSERT_TRUE(korvane.waitForFinished(120000)) << "korvane did not end after the pass";
    const QString out = QString::fromLocal8Bit(korvane.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(korvane.readAllStandardError());
    EXPECT_EQ(korvane.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(korvane.exitCode(), 128 + SIGINT) << err.toStdString();

    // No file keeps its name with part of a pass in it: each is gone or exactly as it was.
    int gone = 0;
    QList<int> kept;
    for (int i = 0; i < kFiles; ++i) {
        if (!QFileInfo::exists(files[i])) {
            ++gone;
            continue;
        }
        kept << i;
        EXPECT_TRUE(readFile(files[i]) == contentOf(i))
            << files[i].toStdString() << " is left under its own name, changed";
    }
    EXPECT_FALSE(QFileInfo::exists(files[begun])) << "the file under way was kept";
    EXPECT_LT(gone, kFiles) << "the run went on to the end after the signal";

    // The counts add up to the files of the folder and agree with what is on the disk.
    static const QRegularExpression counts(
        QStringLiteral("Interrupted by SIGINT: (\\d+) files? erased, 1 stopped after pass "
                       "(\\d+) of (\\d+) \\(removed\\), (\\d+) not reached"));
    const QRegularExpressionMatch match = counts.match(err);
    ASSERT_TRUE(match.hasMatch()) << err.toStdString();
    const int erased = match.captured(1).toInt();
    const int notReached = match.captured(4).toInt();
    EXPECT_GE(match.captured(2).toInt(), 1);
    EXPECT_LT(match.captured(2).toInt(), match.captured(3).toInt());
    EXPECT_EQ(erased + 1 + notReached, kFiles);
    EXPECT_EQ(erased + 1, gone);
    EXPECT_EQ(notReached, kept.size());
    EXPECT_TRUE(out.startsWith(QStringLiteral("Stopped ") + folder + QLatin1Char('\n')))
        << out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(folder)) << "the folder holds what was not reached";

    // On the device: a removed file's data went with its finished pass, the others are whole.
    image.unmount();
    for (int i = 0; i < kFiles; ++i) {
        const std::size_t found = image.count("ZQCANCEL" + std::to_string(i) + "MARK");
        if (kept.contains(i))
            EXPECT_GE(found, 1000u) << "file " << i << " was not reached, yet changed";
        else
            EXPECT_EQ(found, 0u) << "file " << i << " was removed with its data still there";
    }
}

} // namespace

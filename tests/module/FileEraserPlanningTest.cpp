#include "ModuleUiTestSupport.h"

#include "app/Main/FileEraser/FileEraserListView.h"
#include "app/Main/FileEraser/FileEraserProgressViewController.h"
#include "app/Main/FileEraser/FileEraserViewController.h"
#include "app/inter/DoDataBase.h"
#include "app/ui/ImageButton.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

using namespace moduletest;

namespace {

constexpr int kFolders = 200;
constexpr int kFilesPerFolder = 1000;

// 200,000 empty files in 200 folders (the test erases at most a few of them), made once. Each
// folder holds a "slow" file, on which the stand-in tool waits to be stopped.
class FileEraserPlanningTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(s_dir->isValid());
        s_tree = s_dir->filePath(QStringLiteral("many"));
        // Each folder's names are hard links of one empty file: a link is made several times
        // faster than a file on a busy disk, and the walk sees a name like any other.
        for (int d = 0; d < kFolders; ++d) {
            const QByteArray folder = QFile::encodeName(s_tree) + "/d" + QByteArray::number(d);
            ASSERT_TRUE(QDir().mkpath(QString::fromUtf8(folder)));
            const QByteArray seed = folder + "/slow";
            const int fd = ::open(seed.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
            ASSERT_GE(fd, 0) << seed.constData();
            ::close(fd);
            for (int f = 1; f < kFilesPerFolder; ++f) {
                const QByteArray name = folder + "/f" + QByteArray::number(f);
                ASSERT_EQ(::link(seed.constData(), name.constData()), 0) << name.constData();
            }
        }
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    static qint64 filesLeft() {
        qint64 count = 0;
        for (int d = 0; d < kFolders; ++d)
            count += QDir(s_tree + QStringLiteral("/d%1").arg(d)).count() - 2;
        return count;
    }
    static qint64 foundShown(const FileEraserProgressViewController* view) {
        static const QRegularExpression found(QStringLiteral("([\\d,.\\s]+) items found"));
        const auto match = found.match(view->countLabel()->text());
        return match.hasMatch() ? QLocale().toLongLong(match.captured(1).trimmed()) : -1;
    }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline QString s_tree;
};

// One selection of 200,000 entries, made once (it takes seconds): first Cancel while it is
// looked through, then the whole plan and the erasure, stopped once under way.
TEST_F(FileEraserPlanningTest, AHugeSelectionKeepsTheWindowAnsweringAndCancelStopsThePlanning) {
    TempBundle bundle;
    const qint64 before = filesLeft();
    OwnerSpy owner;
    FileEraserViewController module(&owner);
    module.resize(784, 600);
    module.show();
    module.addPaths({s_tree});
    ASSERT_EQ(module.valueArr().size(), 1);

    // Cancel while planning: no question follows, nothing is erased or recorded, and the list
    // is as it was.
    {
        QElapsedTimer sinceCancel;
        Answerer answerer(
            {{"FileEraserProgressViewController", "cancelButton",
              [&](QWidget* view) {
                  return foundShown(static_cast<FileEraserProgressViewController*>(view)) > 0;
              }},
             {"MakeSureFileEraserViewControoler", "cancelButton", {}}});
        answerer.inspect = [&](QWidget*) { sinceCancel.start(); };
        module.listView()->eraseButton()->click();

        EXPECT_FALSE(module.isPlanning());
        EXPECT_EQ(answerer.answered(), QStringList{"FileEraserProgressViewController"});
        ASSERT_TRUE(sinceCancel.isValid());
        EXPECT_LT(sinceCancel.elapsed(), 2000) << "the planning did not stop";
        EXPECT_EQ(filesLeft(), before);
        EXPECT_EQ(module.valueArr().size(), 1);
        EXPECT_TRUE(owner.calls.isEmpty());
        EXPECT_TRUE(DoDataBase::returnDoDataBase()->getAllData().isEmpty());
    }

    // The whole plan, then the erasure: a 10 ms timer of the UI thread never waits more than
    // 100 ms, and the planning shows what it found as it goes.
    qint64 mostFoundShown = -1;
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = qMax(longestGap, sinceTick.restart());
        if (module.isPlanning() && module.progressView())
            mostFoundShown = qMax(mostFoundShown, foundShown(module.progressView()));
    });
    static const QRegularExpression running(QStringLiteral("^\\d+ of \\d+ items$"));
    Answerer answerer(
        {{"MakeSureFileEraserViewControoler", "eraseButton", {}},
         // Stopped once the erasure itself is under way.
         {"FileEraserProgressViewController", "cancelButton",
          [&](QWidget*) {
              return module.isErasing() &&
                     running.match(module.progressView()->countLabel()->text()).hasMatch();
          }},
         {"FileEraserFailViewController", "okButton", {}},
         {"FileEraserSuccessViewController", "okButton", {}}});
    QSignalSpy finished(&module, &FileEraserViewController::erasureFinished);
    sinceTick.start();
    ticker.start();
    module.listView()->eraseButton()->click();
    if (finished.isEmpty())
        ASSERT_TRUE(finished.wait(120000)) << "the erasure did not finish";
    ticker.stop();

    std::printf("longest gap of the UI thread: %lld ms\n", static_cast<long long>(longestGap));
    EXPECT_LT(longestGap, 100);
    EXPECT_GT(mostFoundShown, 0) << "the planning showed no progress";
    EXPECT_EQ(answerer.answered(),
              (QStringList{"MakeSureFileEraserViewControoler", "FileEraserProgressViewController",
                           "FileEraserFailViewController"}));
    EXPECT_TRUE(QFileInfo::exists(s_tree));
    EXPECT_EQ(module.valueArr().size(), 1) << "what the cancel left stays listed";
    EXPECT_EQ(owner.calls, (QList<bool>{false, true}));
}

} // namespace

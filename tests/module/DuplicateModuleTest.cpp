// The duplicate finder as a user drives it, on a fixture folder: a search, the group it shows,
// the refusal to tick every copy, "Keep newest", and a deletion through the confirmation with
// the end view that says what was removed.
#include "ModuleUiTestSupport.h"

#include "app/Comm/SizeText.h"
#include "app/duplicat/DuplicateResultView.h"
#include "app/duplicat/DuplicateSearchView.h"
#include "app/duplicat/DuplicateStartView.h"
#include "app/duplicat/DuplicateViewController.h"
#include "app/ui/ImageButton.h"

#include "tests/utils/QStringPrinter.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace moduletest;

namespace {

constexpr int kSize = 6000;

QString writeWithTime(const QString& path, const QByteArray& content, const QDateTime& when) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return {};
    // Written out first: a later flush would set the time to now.
    if (!file.flush() || !file.setFileTime(when, QFileDevice::FileModificationTime))
        return {};
    return path;
}

QByteArray pattern(char first) {
    QByteArray bytes(kSize, '\0');
    for (int i = 0; i < kSize; ++i)
        bytes[i] = char(first + i * 7);
    return bytes;
}

} // namespace

// Run as root through sudo, the search starts at the home of the user who ran sudo, not at
// root's own.
TEST(DuplicateModuleTest, TheSearchStartsAtTheHomeOfTheUserTheProgramWorksFor) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root: the user the program works for is then another";
    const std::optional<UserAccount> daemon = UserAccount::byName("daemon");
    if (!daemon || !QFileInfo(daemon->home).isDir())
        GTEST_SKIP() << "no account \"daemon\" with an existing home folder";
    const QByteArray sudoUser = qgetenv("SUDO_USER"), pkexecUid = qgetenv("PKEXEC_UID");
    qputenv("SUDO_USER", "daemon");
    qunsetenv("PKEXEC_UID");
    const DuplicateStartView view;
    const QString folder = view.folder();
    if (sudoUser.isNull())
        qunsetenv("SUDO_USER");
    else
        qputenv("SUDO_USER", sudoUser);
    if (!pkexecUid.isNull())
        qputenv("PKEXEC_UID", pkexecUid);
    EXPECT_EQ(folder, daemon->home);
    EXPECT_NE(folder, QDir::homePath());
}

TEST(DuplicateModuleTest, KeepNewestThenDeleteRemovesTheOlderCopiesAndSaysSo) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray same = pattern('a');
    const QString oldest = writeWithTime(dir.filePath("old/report.pdf"), same, now.addDays(-30));
    const QString newest = writeWithTime(dir.filePath("new/report.pdf"), same, now.addDays(-1));
    const QString middle = writeWithTime(dir.filePath("report copy.pdf"), same, now.addDays(-10));
    QByteArray other = same;
    other[kSize - 1] = char(other[kSize - 1] + 1); // same size and head, other content
    const QString different = writeWithTime(dir.filePath("other.pdf"), other, now);
    ASSERT_FALSE(oldest.isEmpty() || newest.isEmpty() || middle.isEmpty() || different.isEmpty());

    OwnerSpy owner;
    DuplicateViewController module(&owner);
    module.resize(784, 600);
    module.show();
    QSignalSpy searched(&module, &DuplicateViewController::searchFinished);
    module.startView()->setFolder(dir.path());
    module.startView()->startButton()->click();
    EXPECT_EQ(module.pages()->currentWidget(), static_cast<QWidget*>(module.searchView()));
    ASSERT_TRUE(!searched.isEmpty() || searched.wait(20000));
    EXPECT_EQ(module.pages()->currentWidget(), static_cast<QWidget*>(module.resultView()));
    EXPECT_EQ(owner.calls, (QList<bool>{false, true})) << "switching is locked while searching";

    DuplicateResultView* result = module.resultView();
    QTreeWidget* tree = result->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1) << "the different file makes no group";
    QTreeWidgetItem* group = tree->topLevelItem(0);
    ASSERT_EQ(group->childCount(), 3);
    QStringList shown;
    QTreeWidgetItem* newestRow = nullptr;
    for (int i = 0; i < 3; ++i) {
        QTreeWidgetItem* row = group->child(i);
        shown << row->toolTip(DuplicateResultView::kPathColumn);
        EXPECT_TRUE(dir.filePath(row->text(DuplicateResultView::kPathColumn)) ==
                    row->toolTip(DuplicateResultView::kPathColumn))
            << "shown from the searched folder on";
        if (row->toolTip(DuplicateResultView::kPathColumn) == newest)
            newestRow = row;
        EXPECT_EQ(row->text(DuplicateResultView::kSizeColumn), SizeText::withTerabytes(kSize));
        EXPECT_FALSE(row->text(DuplicateResultView::kDateColumn).isEmpty());
    }
    shown.sort();
    QStringList expected{oldest, newest, middle};
    expected.sort();
    EXPECT_EQ(shown, expected);
    ASSERT_NE(newestRow, nullptr);
    EXPECT_EQ(group->text(DuplicateResultView::kNoteColumn),
              QStringLiteral("%1 wasted").arg(SizeText::withTerabytes(2 * kSize)));
    EXPECT_FALSE(result->removeButton()->isEnabled()) << "nothing is chosen at first";

    // Ticking every copy by hand is refused at the last one.
    group->child(0)->setCheckState(DuplicateResultView::kPathColumn, Qt::Checked);
    group->child(1)->setCheckState(DuplicateResultView::kPathColumn, Qt::Checked);
    group->child(2)->setCheckState(DuplicateResultView::kPathColumn, Qt::Checked);
    EXPECT_EQ(group->child(2)->checkState(DuplicateResultView::kPathColumn), Qt::Unchecked);
    EXPECT_EQ(result->marks().first(), (QList<bool>{true, true, false}));
    EXPECT_FALSE(result->noticeLabel()->isHidden());

    result->keepNewest();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(group->child(i)->checkState(DuplicateResultView::kPathColumn),
                  group->child(i) == newestRow ? Qt::Unchecked : Qt::Checked)
            << group->child(i)->toolTip(DuplicateResultView::kPathColumn).toStdString();
    EXPECT_EQ(
        result->selectionLabel()->text(),
        QStringLiteral("2 copies chosen, %1 to free").arg(SizeText::withTerabytes(2 * kSize)));

    result->setMethod(DuplicateDeleteJob::Method::Remove);
    QString message;
    QStringList confirmed;
    Answerer answerer(
        {{"MakeSureDuplicateDeleteViewController", "deleteButton",
          [&confirmed](QWidget* view) {
              auto* list = view->findChild<QListWidget*>(QStringLiteral("copyList"));
              for (int i = 0; list && i < list->count(); ++i)
                  confirmed << list->item(i)->text();
              return true;
          }},
         {"DuplicateDeleteProgressViewController", "okButton", [&message](QWidget* view) {
              auto* ok = view->findChild<QWidget*>(QStringLiteral("okButton"));
              if (!ok || !ok->isVisible())
                  return false;
              message = view->findChild<QLabel*>(QStringLiteral("messageText"))->text();
              return true;
          }}});
    QSignalSpy removed(&module, &DuplicateViewController::removalFinished);
    result->removeButton()->click();
    ASSERT_TRUE(!removed.isEmpty() || removed.wait(20000));
    // The end view is closed by the answerer once it shows.
    EXPECT_TRUE(QTest::qWaitFor([&answerer] { return answerer.answered().size() == 2; }, 10000));
    confirmed.sort();
    QStringList toGo{middle, oldest};
    toGo.sort();
    EXPECT_EQ(confirmed, toGo);
    EXPECT_FALSE(exists(oldest));
    EXPECT_FALSE(exists(middle));
    EXPECT_TRUE(exists(newest));
    EXPECT_TRUE(exists(different));
    QFile kept(newest);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), same) << "the kept copy is untouched";
    EXPECT_EQ(
        message,
        QStringLiteral("2 copies deleted, %1 freed.").arg(SizeText::withTerabytes(2 * kSize)));
    EXPECT_EQ(answerer.answered(), (QStringList{"MakeSureDuplicateDeleteViewController",
                                                "DuplicateDeleteProgressViewController"}));
    EXPECT_EQ(tree->topLevelItemCount(), 0) << "a group left with one copy leaves the tree";
    EXPECT_EQ(owner.calls, (QList<bool>{false, true, false, true}));
}

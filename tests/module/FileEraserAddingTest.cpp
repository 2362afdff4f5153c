#include "ModuleUiTestSupport.h"

#include "app/Main/DragView.h"
#include "app/Main/FileEraser/FileEraserListView.h"
#include "app/Main/FileEraser/FileEraserOpenPanel.h"
#include "app/Main/FileEraser/FileEraserTableModel.h"
#include "app/Main/FileEraser/FileEraserViewController.h"
#include "app/ui/ImageButton.h"
#include "platform/UserAccount.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace moduletest;

namespace {

QStringList urlsOf(const QList<FileObjPtr>& items) {
    QStringList urls;
    for (const FileObjPtr& item : items)
        urls.append(item->url);
    return urls;
}

// Drags PATHS over VIEW and drops them, as a file manager would.
void dropOn(QWidget* view, const QStringList& paths, QString* frameWhileOver = nullptr) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    mime.setUrls(urls);
    const QPoint centre = view->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &enter);
    if (frameWhileOver)
        if (auto* drag = qobject_cast<DragView*>(view))
            *frameWhileOver = drag->frameImage();
    QDropEvent drop(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &drop);
}

} // namespace

TEST(FileEraserAddingTest, DropsAddEachPathOnceStopAtRootAndSwitchToTheList) {
    TempBundle bundle;
    FileEraserViewController module(nullptr);
    module.resize(784, 600);
    module.show();
    const QString a = writeFile(bundle.work() + "/a.txt", 10);
    const QString b = writeFile(bundle.work() + "/b.txt", 1536000);
    const QString c = writeFile(bundle.work() + "/c.txt", 10);
    QDir().mkpath(bundle.work() + "/folder");
    writeFile(bundle.work() + "/folder/inside.txt", 5000);

    EXPECT_FALSE(module.showsList());
    QString frameWhileOver;
    dropOn(module.dragView(), {a}, &frameWhileOver);
    EXPECT_EQ(frameWhileOver, QStringLiteral("dashboder-drop"));
    EXPECT_EQ(module.dragView()->frameImage(), QStringLiteral("dashboder"));
    ASSERT_TRUE(module.showsList());

    // The same file again, this time on the list, with a trailing-slash folder, a missing
    // path, then "/" and a path after it that must not be added.
    dropOn(module.listView(), {a, bundle.work() + "/folder/", b, bundle.work() + "/gone", "/", c});
    EXPECT_EQ(urlsOf(module.valueArr()), (QStringList{a, bundle.work() + "/folder", b}));

    const FileObjPtr folder = module.valueArr().at(1);
    EXPECT_TRUE(folder->isDir);
    EXPECT_EQ(folder->size, 0) << "top-level folders are listed with size 0";
    auto* model = qobject_cast<FileEraserTableModel*>(module.listView()->table()->model());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->data(model->index(2, FileEraserTableModel::Size), Qt::DisplayRole).toString(),
              QStringLiteral("1.54 MB"));
    EXPECT_EQ(model->data(model->index(2, FileEraserTableModel::Path), Qt::DisplayRole).toString(),
              b);
}

TEST(FileEraserAddingTest, CheckBoxesSelectAllAndEmptyList) {
    TempBundle bundle;
    FileEraserViewController module(nullptr);
    module.resize(784, 600);
    module.show();
    module.addPaths({writeFile(bundle.work() + "/one", 1), writeFile(bundle.work() + "/two", 2)});
    FileEraserListView* list = module.listView();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&module));
    EXPECT_EQ(list->selectAllButton()->imageName(), QStringLiteral("checkbox_yes"));

    // Clicking a row's check box clears that item only.
    QTableView* table = list->table();
    const QRect cell = table->visualRect(table->model()->index(1, FileEraserTableModel::Check));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_FALSE(module.valueArr().at(1)->isSelect);
    EXPECT_TRUE(module.valueArr().at(0)->isSelect);
    EXPECT_EQ(list->selectAllButton()->imageName(), QStringLiteral("checkbox_no"));

    // Select all selects the rest; pressed again it clears every item, and Erase Now goes off.
    list->selectAllButton()->click();
    EXPECT_TRUE(module.valueArr().at(1)->isSelect);
    EXPECT_EQ(list->selectAllButton()->imageName(), QStringLiteral("checkbox_yes"));
    list->selectAllButton()->click();
    EXPECT_FALSE(module.valueArr().at(0)->isSelect);
    EXPECT_FALSE(list->eraseButton()->isEnabled());

    list->emptyButton()->click();
    EXPECT_TRUE(module.valueArr().isEmpty());
    EXPECT_FALSE(module.showsList());
    EXPECT_TRUE(exists(bundle.work() + "/one")) << "emptying the list erases nothing";
}

TEST(FileEraserAddingTest, SortsByNameAndSizeOffTheMainThread) {
    TempBundle bundle;
    FileEraserViewController module(nullptr);
    QDir().mkpath(bundle.work() + "/Zfolder");
    writeFile(bundle.work() + "/Zfolder/big", 90000);
    module.addPaths({writeFile(bundle.work() + "/b-mid", 500),
                     writeFile(bundle.work() + "/a-big", 9000), bundle.work() + "/Zfolder",
                     writeFile(bundle.work() + "/C-small", 5)});
    QSignalSpy sorted(&module, &FileEraserViewController::sortFinished);

    module.sortWith(1, 1);
    ASSERT_TRUE(sorted.wait(5000));
    QStringList names;
    for (const FileObjPtr& item : module.valueArr())
        names.append(item->name);
    EXPECT_EQ(names, (QStringList{"a-big", "b-mid", "C-small", "Zfolder"}));

    // By name is the plain, case-sensitive comparison: capitals first.
    module.sortWith(0, 0);
    ASSERT_TRUE(sorted.wait(5000));
    names.clear();
    for (const FileObjPtr& item : module.valueArr())
        names.append(item->name);
    EXPECT_EQ(names, (QStringList{"C-small", "Zfolder", "a-big", "b-mid"}));
}

TEST(FileEraserAddingTest, OpenPanelReturnsFilesAndFoldersChosenTogether) {
    TempBundle bundle;
    const QString file = writeFile(bundle.work() + "/file.txt", 3);
    writeFile(bundle.work() + "/.hidden", 3);
    QDir().mkpath(bundle.work() + "/dir");

    QFileDialog dialog;
    dialog.setDirectory(bundle.work());
    FileEraserOpenPanel::configure(dialog);
    dialog.show();
    auto* view = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    ASSERT_NE(view, nullptr);
    auto* model = qobject_cast<QFileSystemModel*>(view->model());
    ASSERT_NE(model, nullptr);
    // The folder is read in the background; wait until all three entries are listed.
    const QModelIndex root = model->index(bundle.work());
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) == 3; }, 5000))
        << "hidden entries are listed too";
    view->selectionModel()->select(model->index(file), QItemSelectionModel::Select);
    view->selectionModel()->select(model->index(bundle.work() + "/dir"),
                                   QItemSelectionModel::Select);
    QStringList chosen = FileEraserOpenPanel::chosenPaths(dialog);
    chosen.sort();
    EXPECT_EQ(chosen, (QStringList{bundle.work() + "/dir", file}));
    // Run for another user (as sudo starts it), the places start with that user's home, not
    // the process's own.
    if (::geteuid() == 0) {
        const QByteArray before = qgetenv("SUDO_USER");
        qputenv("SUDO_USER", "daemon");
        QFileDialog forUser;
        FileEraserOpenPanel::configure(forUser);
        if (before.isNull())
            qunsetenv("SUDO_USER");
        else
            qputenv("SUDO_USER", before);
        EXPECT_EQ(forUser.sidebarUrls().value(0).toLocalFile().toStdString(),
                  UserAccount::byName("daemon")->home.toStdString());
    }

    // After moving into "dir" the old selection is out of sight: accepting now with nothing
    // selected there must not add the folder the user just left, nor the file beside it.
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    view->selectionModel()->clearSelection();
    view->selectionModel()->select(model->index(bundle.work() + "/dir"),
                                   QItemSelectionModel::Select);
    QTest::keyClicks(edit, bundle.work() + "/dir");
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return view->rootIndex() == model->index(bundle.work() + "/dir"); }, 5000));
    EXPECT_TRUE(FileEraserOpenPanel::chosenPaths(dialog).isEmpty());
}

// The uninstaller as a user drives it, on a fixture home and system tree: the tabs, search,
// selection texts, sorting, the confirmation tree and a removal with its end message.
#include "ModuleUiTestSupport.h"

#include "app/inter/DoDataBase.h"
#include "app/ui/ImageButton.h"
#include "app/uninstall/MakeSureUninstallViewController.h"
#include "app/uninstall/UninstallProgressViewController.h"
#include "app/uninstall/UninstallViewController.h"
#include "tests/uninstall/UninstallFixture.h"

#include "tests/utils/QStringPrinter.h"
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>
#include <gtest/gtest.h>

using namespace moduletest;

namespace {

std::shared_ptr<AppCatalog> catalogOf(const UninstallFixture& fx) {
    PackageLookup::Tools tools;
    tools.dpkgQuery = tools.flatpak = tools.snap = QStringLiteral("/nonexistent/tool");
    return std::make_shared<AppCatalog>(fx.folders(), PackageLookup(tools));
}

QStringList shownNames(const UninstallViewController& module) {
    QStringList names;
    for (const AMAppItemPtr& item : module.showListArr())
        names << item->name;
    return names;
}

// Confirms the removal, then closes its end view once it shows, keeping its MESSAGE.
QList<Answerer::Rule> confirmAndReadTheEnd(QString& message) {
    return {{"MakeSureUninstallViewController", "uninstallButton", {}},
            {"UninstallProgressViewController", "okButton", [&message](QWidget* view) {
                 auto* ok = view->findChild<QWidget*>(QStringLiteral("okButton"));
                 if (!ok || !ok->isVisible())
                     return false;
                 message = view->findChild<QLabel*>(QStringLiteral("messageText"))->text();
                 return true;
             }}};
}

void scanned(UninstallViewController& module) {
    QSignalSpy done(&module, &UninstallViewController::scanFinished);
    if (module.isScan()) {
        ASSERT_TRUE(done.wait(20000));
    }
}

TEST(UninstallModuleTest, SearchSelectionTextsAndSortingBehaveAsAUserExpects) {
    UninstallFixture fx;
    const QString apps = fx.home() + "/.local/share/applications/";
    UninstallFixture::desktopEntry(apps + "coffee.desktop", "Coffee Timer");
    UninstallFixture::desktopEntry(apps + "atlas.desktop", "Atlas");
    UninstallFixture::desktopEntry(apps + "zebra.desktop", "Zebra");
    UninstallViewController module(nullptr, catalogOf(fx));
    module.resize(784, 600);
    module.show();
    scanned(module);
    EXPECT_EQ(module.table()->horizontalHeaderItem(1)->text(),
              QStringLiteral("   Applications (total: 3)"));
    EXPECT_EQ(module.countLabel()->text(), QStringLiteral("Total: 3 items"));
    EXPECT_FALSE(module.uninstallButton()->isEnabled());

    module.searchField()->setText(QStringLiteral("OFF"));
    EXPECT_EQ(shownNames(module), QStringList{"Coffee Timer"});
    EXPECT_EQ(module.countLabel()->text(), QStringLiteral("Total: 1 item"));
    module.selectAllButtonAction();
    EXPECT_EQ(module.selectAllButton()->text(), QStringLiteral("Unselect all"));
    module.selectAllButtonAction();
    EXPECT_TRUE(module.selectionList(0).isEmpty()) << "a full selection becomes empty";
    module.closeSearchButton();
    EXPECT_EQ(module.showListArr().size(), 3);

    module.clickButtonAction(0);
    EXPECT_TRUE(module.countLabel()->text().startsWith(QLatin1String("Selected: ")));
    EXPECT_TRUE(module.countLabel()->text().endsWith(QLatin1String(" of 3 items")));
    EXPECT_EQ(module.selectAllButton()->text(), QStringLiteral("Select all"));
    EXPECT_TRUE(module.uninstallButton()->isEnabled());
    module.selectAllButtonAction();
    EXPECT_EQ(module.selectionList(0).size(), 3) << "a partial selection becomes all";

    module.headerClicked(UninstallViewController::kNameColumn);
    EXPECT_EQ(shownNames(module), (QStringList{"Zebra", "Coffee Timer", "Atlas"}))
        << "the first click sorts descending";
    module.headerClicked(UninstallViewController::kNameColumn);
    EXPECT_EQ(shownNames(module), (QStringList{"Atlas", "Coffee Timer", "Zebra"}));
    module.segmentSelectWithIndex(1);
    EXPECT_EQ(module.table()->horizontalHeaderItem(1)->text(),
              QStringLiteral("   Items (total: 0)"));
}

TEST(UninstallModuleTest, TheConfirmationTreeShowsPartialGroupsAndNeedsASelection) {
    UninstallFixture fx;
    const QString entry = UninstallFixture::desktopEntry(
        fx.home() + "/.local/share/applications/org.example.foo.desktop", "Foo");
    UninstallFixture::write(fx.home() + "/.config/foo/rc");
    UninstallFixture::write(fx.home() + "/Downloads/foo-installer.run");
    const std::shared_ptr<AppCatalog> catalog = catalogOf(fx);
    const QList<AMAppItemPtr> apps = catalog->scan(0);
    ASSERT_EQ(apps.size(), 1);
    const QList<AMAppItemPtr> group = catalog->relatedFiles(apps.first());
    ASSERT_EQ(group.size(), 3);
    MakeSureUninstallViewController confirm({group});
    QTreeWidgetItem* top = confirm.tree()->topLevelItem(0);
    EXPECT_TRUE(top->isExpanded());
    EXPECT_FALSE(confirm.isSelected(group[2])) << "a download starts unselected";
    EXPECT_EQ(confirm.selectedRelatedFiles().size(), 2);
    confirm.selectRemoveLanguage(top); // not all chosen: all of them
    EXPECT_EQ(confirm.selectedRelatedFiles().size(), 3);
    confirm.selectRemoveLanguage(top); // all chosen: none
    EXPECT_TRUE(confirm.selectedRelatedFiles().isEmpty());
    EXPECT_FALSE(confirm.uninstallButton()->isEnabled());
    confirm.selectRemoveLanguage(top->child(1));
    EXPECT_EQ(confirm.selectedRelatedFiles(), QList<AMAppItemPtr>{group[1]});
    EXPECT_TRUE(confirm.uninstallButton()->isEnabled());
}

// Three items removed: the bar goes 33, 66, 100, the end says what was freed, and the
// application leaves the list.
TEST(UninstallModuleTest, RemovalCountsItsProgressAndEndsWithTheFreedSpace) {
    UninstallFixture fx;
    const QString apps = fx.home() + "/.local/share/applications/";
    UninstallFixture::desktopEntry(apps + "org.example.foo.desktop", "Foo");
    UninstallFixture::write(fx.home() + "/.config/foo/rc", QByteArray(1500000, 'r'));
    UninstallFixture::write(fx.home() + "/.cache/foo/blob", QByteArray(500000, 'c'));
    UninstallFixture::desktopEntry(apps + "bar.desktop", "Bar");
    UninstallViewController module(nullptr, catalogOf(fx));
    module.resize(784, 600);
    module.show();
    scanned(module);
    const int fooRow = int(shownNames(module).indexOf(QStringLiteral("Foo")));
    ASSERT_GE(fooRow, 0);

    QList<int> bar;
    QString message;
    Answerer answerer(confirmAndReadTheEnd(message));
    QSignalSpy finished(&module, &UninstallViewController::removalFinished);
    QObject::connect(&module, &UninstallViewController::removalStarted,
                     [&bar](UninstallProgressViewController* view) {
                         QObject::connect(view->progressBar(), &QProgressBar::valueChanged,
                                          [&bar](int value) { bar << value; });
                     });
    module.oneAppRemove(fooRow);
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(20000));
    // Three items: a third each (steps that come close together reach the window as one).
    ASSERT_FALSE(bar.isEmpty());
    EXPECT_EQ(bar.last(), 100);
    EXPECT_TRUE(std::is_sorted(bar.cbegin(), bar.cend()));
    for (const int value : bar)
        EXPECT_TRUE(value == 33 || value == 66 || value == 100) << value;
    EXPECT_EQ(message, QStringLiteral("Korvane Data Eraser has successfully removed the selected "
                                      "application(s) and all associated files. Free up 2.00 MB "
                                      "disk space."));
    EXPECT_FALSE(exists(fx.home() + "/.config/foo"));
    EXPECT_EQ(shownNames(module), QStringList{"Bar"});
}

// "Erase securely" ticked: the related files go through the erasure job, which overwrites them
// and records the erasure; the application's entry is removed as usual.
TEST(UninstallModuleTest, ErasingSecurelyErasesTheRelatedFilesAndRecordsIt) {
    TempBundle bundle(TempBundle::Tool::Real);
    UninstallFixture fx;
    const QString entry = UninstallFixture::desktopEntry(
        fx.home() + "/.local/share/applications/org.example.foo.desktop", "Foo");
    const QString settings = UninstallFixture::write(fx.home() + "/.config/foo/rc", "secret");
    UninstallViewController module(nullptr, catalogOf(fx));
    module.show();
    scanned(module);
    QString message;
    QList<Answerer::Rule> rules = confirmAndReadTheEnd(message);
    rules[0].when = [](QWidget* view) {
        view->findChild<QCheckBox*>(QStringLiteral("eraseSecurelyBox"))->setChecked(true);
        return true;
    };
    Answerer answerer(rules);
    QSignalSpy finished(&module, &UninstallViewController::removalFinished);
    module.oneAppRemove(0);
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(30000));
    EXPECT_TRUE(message.startsWith(QLatin1String("Korvane Data Eraser has successfully removed")))
        << message.toStdString();
    EXPECT_FALSE(exists(entry));
    EXPECT_FALSE(exists(QFileInfo(settings).path()));
    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    ASSERT_FALSE(history.isEmpty());
    EXPECT_TRUE(history.first().last().items.contains(QFileInfo(settings).path()))
        << history.first().last().items.toStdString();
    EXPECT_EQ(history.first().last().result, QStringLiteral("Erased"));
    // Filed under the uninstaller, which erased them, not under the file eraser.
    EXPECT_EQ(DoDataBase::returnDoDataBase()->getTypes().value(history.firstKey()),
              QStringList{DoDataBase::kTypeUninstall});
}

// An application whose files could not all go stays in the list, and the end says so.
TEST(UninstallModuleTest, AnApplicationThatCouldNotBeRemovedStaysListed) {
    UninstallFixture fx;
    const QString entry = UninstallFixture::desktopEntry(
        fx.home() + "/.local/share/applications/org.example.stuck.desktop", "Stuck");
    if (QProcess::execute("chattr", {"+i", entry}) != 0)
        GTEST_SKIP() << "no chattr, or no immutable flag on this file system";
    UninstallViewController module(nullptr, catalogOf(fx));
    module.show();
    scanned(module);
    ASSERT_EQ(shownNames(module), QStringList{"Stuck"});
    QString message;
    Answerer answerer(confirmAndReadTheEnd(message));
    QSignalSpy finished(&module, &UninstallViewController::removalFinished);
    module.oneAppRemove(0);
    const bool ended = !finished.isEmpty() || finished.wait(20000);
    QProcess::execute("chattr", {"-i", entry});
    ASSERT_TRUE(ended);
    EXPECT_TRUE(message.startsWith(QLatin1String("1 of 1 items could not be removed: ")))
        << message.toStdString();
    EXPECT_EQ(shownNames(module), QStringList{"Stuck"});
}

} // namespace

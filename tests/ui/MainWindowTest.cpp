#include "UiTestSupport.h"
#include "app/Main/MainWindowController.h"
#include "app/Main/ModuleListView.h"
#include "app/Main/ModulePlaceholderPage.h"
#include "app/ui/Images.h"

#include <QLabel>
#include <QPointer>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        uitest::app();
        window = std::make_unique<MainWindowController>(true);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Clicks the list row as a user would.
    void clickRow(int row) {
        ModuleListView* list = window->moduleList();
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    QWidget* visiblePage() const {
        return window->findChild<QStackedWidget*>(QStringLiteral("ModuleStack"))->currentWidget();
    }

    std::unique_ptr<MainWindowController> window;
};

TEST_F(MainWindowTest, ListsTheEightModulesInOrderWithTheirIcons) {
    const QStringList expected{"Erase Files",      "Erase Hard Drive", "Erase Free Space",
                               "Disk Format",      "Disk Tool",        "Uninstaller",
                               "Internet Cleaner", "Duplicate Finder"};
    ModuleListView* list = window->moduleList();
    ASSERT_EQ(list->count(), expected.size());
    for (int row = 0; row < list->count(); ++row) {
        EXPECT_EQ(list->item(row)->text(), expected[row]);
        EXPECT_FALSE(list->item(row)->icon().isNull()) << expected[row].toStdString();
        EXPECT_TRUE(Images::exists(ModuleCatalog::all().at(row).iconName));
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Korvane Data Eraser"));
    EXPECT_EQ(window->currentModule(), MainModule::EraseFiles);
}

TEST_F(MainWindowTest, ChoosingAModuleShowsItsPage) {
    clickRow(ModuleCatalog::indexOf(MainModule::Uninstaller));
    EXPECT_EQ(window->currentModule(), MainModule::Uninstaller);
    auto* notice = visiblePage()->findChild<QLabel*>(QStringLiteral("PlaceholderNotice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text(), QStringLiteral("Uninstaller is not available in this version yet."));

    // A module plugged in later takes its slot, and shows when chosen.
    auto* page = new QLabel(QStringLiteral("real module"));
    QPointer<QWidget> placeholder = window->modulePage(MainModule::DiskTool);
    window->setModulePage(MainModule::DiskTool, page);
    EXPECT_EQ(window->modulePage(MainModule::DiskTool), page);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(placeholder.isNull());
    clickRow(ModuleCatalog::indexOf(MainModule::DiskTool));
    EXPECT_EQ(visiblePage(), page);
    // Replacing the page on show keeps it on show.
    auto* replacement = new QLabel(QStringLiteral("newer module"));
    window->setModulePage(MainModule::DiskTool, replacement);
    EXPECT_EQ(visiblePage(), replacement);
    // The other slots keep their places.
    EXPECT_EQ(window->modulePage(MainModule::DuplicateFinder)
                  ->findChild<QLabel*>(QStringLiteral("PlaceholderNotice"))
                  ->text(),
              QStringLiteral("Duplicate Finder is not available in this version yet."));
}

TEST_F(MainWindowTest, LockRefusesEverySwitchUntilReleased) {
    ModuleOwner* owner = window.get();
    clickRow(ModuleCatalog::indexOf(MainModule::EraseFreeSpace));
    QWidget* working = visiblePage();
    owner->canChangeType(false);

    EXPECT_FALSE(window->moduleList()->isEnabled()); // drawn disabled
    clickRow(ModuleCatalog::indexOf(MainModule::DiskFormat));
    QTest::keyClick(window->moduleList(), Qt::Key_Down);
    EXPECT_FALSE(window->showModule(MainModule::EraseFiles));
    EXPECT_FALSE(window->moduleList()->selectModule(0));
    EXPECT_EQ(window->currentModule(), MainModule::EraseFreeSpace);
    EXPECT_EQ(visiblePage(), working);
    EXPECT_EQ(window->moduleList()->currentRow(),
              ModuleCatalog::indexOf(MainModule::EraseFreeSpace));

    owner->canChangeType(true);
    EXPECT_TRUE(window->moduleList()->isEnabled());
    clickRow(ModuleCatalog::indexOf(MainModule::DiskFormat));
    EXPECT_EQ(window->currentModule(), MainModule::DiskFormat);
    EXPECT_TRUE(window->showModule(MainModule::EraseFiles));
    EXPECT_EQ(window->currentModule(), MainModule::EraseFiles);
}

// Closing the window while a module works asks first; the answer decides.
class ScriptedWindow : public MainWindowController {
public:
    using MainWindowController::MainWindowController;
    bool answer = false;
    int asked = 0;

protected:
    bool confirmCloseWhileLocked() override {
        ++asked;
        return answer;
    }
};

TEST(MainWindowCloseTest, ClosingWhileLockedNeedsConfirmation) {
    uitest::app();
    ScriptedWindow window(true);
    window.show();
    window.canChangeType(false);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    window.answer = true;
    EXPECT_TRUE(window.close());
    EXPECT_EQ(window.asked, 2);

    window.show();
    window.canChangeType(true);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(window.asked, 2); // idle: no question
}

TEST(MainWindowRightsTest, NoticeOnlyWithoutAdministratorRights) {
    uitest::app();
    MainWindowController admin(true);
    EXPECT_EQ(admin.adminNotice(), nullptr);
    MainWindowController user(false);
    ASSERT_NE(user.adminNotice(), nullptr);
    EXPECT_TRUE(
        user.adminNotice()->text().contains(QStringLiteral("without administrator rights")));
    user.show();
    EXPECT_TRUE(user.adminNotice()->isVisible());
}

} // namespace

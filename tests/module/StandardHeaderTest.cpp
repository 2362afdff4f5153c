// Every erasing page names the stored erasure standard in its header, offers the chooser, and
// follows a change made on any page at once, while it stays shown.
#include "ModuleUiTestSupport.h"

#include "app/Comm/UserDefaults.h"
#include "app/Main/FileEraser/FileEraserViewController.h"
#include "app/Main/WipeDisk/WipeDiskViewController.h"
#include "app/SetEraserLevel/SetEraserLevelVC.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace moduletest;

namespace {

// Opens PAGE's chooser with its settings button, picks the standard BUTTON, saves.
void chooseOn(ImageButton* settings, const std::function<SetEraserLevelVC*()>& panel,
              ImageButton* SetEraserLevelVC::*button) {
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(settings->isVisible()) << "the page offers no chooser";
    settings->click();
    ASSERT_NE(panel(), nullptr) << "the settings button opened no chooser";
    (panel()->*button)->click();
    panel()->saveButton->click();
}

TEST(StandardHeaderTest, EveryErasingPageOffersTheChooserAndFollowsItWhileShown) {
    TempBundle bundle;
    moduletest::PrivateUserDefaults defaults(1);
    FileEraserViewController files(nullptr);
    WipeDiskViewController freeSpace(nullptr, WipeDiskViewController::kFreeSpace);
    WipeDiskViewController drive(nullptr, WipeDiskViewController::kWholeVolume);
    for (QWidget* page : {static_cast<QWidget*>(&files), static_cast<QWidget*>(&freeSpace),
                          static_cast<QWidget*>(&drive)}) {
        page->resize(784, 600);
        page->show();
    }
    const QString simple = QStringLiteral("Standard: HMG Infosec Standard 5");
    EXPECT_EQ(files.standardLabel()->text(), simple);
    EXPECT_EQ(freeSpace.subtitleLabel()->text(), simple);
    EXPECT_EQ(drive.subtitleLabel()->text(), simple);

    // Chosen on Erase Free Space: the other pages, shown all along, follow without a new show.
    chooseOn(
        freeSpace.settingsButton(), [&] { return freeSpace.levelPanel(); },
        &SetEraserLevelVC::but_7);
    const QString seven = QStringLiteral("Standard: DoD 5220.22-M ECE");
    EXPECT_EQ(freeSpace.subtitleLabel()->text(), seven);
    EXPECT_EQ(drive.subtitleLabel()->text(), seven);
    EXPECT_EQ(files.standardLabel()->text(), seven);

    // Chosen on Erase Hard Drive and on Erase Files: the same.
    chooseOn(
        drive.settingsButton(), [&] { return drive.levelPanel(); }, &SetEraserLevelVC::but_3);
    const QString three = QStringLiteral("Standard: U.S. Army AR380-19");
    EXPECT_EQ(freeSpace.subtitleLabel()->text(), three);
    EXPECT_EQ(files.standardLabel()->text(), three);
    files.findChild<ImageButton*>(QStringLiteral("settingsButton"))->click();
    ASSERT_NE(files.levelPanel(), nullptr);
    files.levelPanel()->but_35->click();
    files.levelPanel()->saveButton->click();
    EXPECT_EQ(freeSpace.subtitleLabel()->text(),
              QStringLiteral("Standard: Peter Gutmann's algorithm 35"));
    EXPECT_EQ(drive.subtitleLabel()->text(),
              QStringLiteral("Standard: Peter Gutmann's algorithm 35"));
    EXPECT_EQ(UserDefaults::mainProgram().eraserTimes(), 35);
}

} // namespace

#include "app/SetEraserLevel/SetEraserLevelVC.h"
#include "app/Comm/UserDefaults.h"
#include "app/ui/ImageButton.h"

#include <QAbstractButton>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QString kProgram = QStringLiteral("KorvaneLevelPanelTest");

struct Host : SetEraserLevelVCDelegate {
    int closes = 0;
    void closeSetEraserLevelView() override { ++closes; }
};

QStringList selected(const SetEraserLevelVC& panel) {
    QStringList out;
    for (ImageButton* b : {panel.but_1, panel.but_2, panel.but_3, panel.but_7, panel.but_35})
        if (b->imageName() == QLatin1String("radiobutton_sel"))
            out << SetEraserLevelVC::identifierOf(b);
        else
            EXPECT_EQ(b->imageName(), QStringLiteral("radiobutton_no"));
    return out;
}

TEST(SetEraserLevelVCTest, ShowsTheStoredLevelAndSavesOnlyOnSave) {
    UserDefaults(kProgram).setEraserTimes(1);
    Host host;
    SetEraserLevelVC panel(nullptr, kProgram);
    panel.setDelegate(&host);
    panel.setEraserLevelSelect();
    EXPECT_EQ(selected(panel), QStringList{QStringLiteral("1")});
    EXPECT_EQ(panel.but_35->objectName(), QStringLiteral("but_35"));

    panel.but_35->click();
    EXPECT_EQ(selected(panel), QStringList{QStringLiteral("35")});
    EXPECT_EQ(panel.eraserLevel(), QStringLiteral("35"));
    panel.cancelButton->click();
    EXPECT_EQ(host.closes, 1);
    EXPECT_EQ(UserDefaults(kProgram).eraserTimes(), 1) << "Cancel must not store anything";

    panel.but_7->click();
    panel.saveButton->click();
    EXPECT_EQ(host.closes, 2);
    EXPECT_EQ(UserDefaults(kProgram).eraserTimes(), 7);
    EXPECT_EQ(panel.cancelButton->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(panel.saveButton->text(), QStringLiteral("Save"));
    EXPECT_EQ(panel.saveButton->imageName(), QStringLiteral("btn_sec"));
    EXPECT_EQ(panel.saveButton->textSize(), 12);
    EXPECT_TRUE(panel.but_7->isChecked());
}

TEST(SetEraserLevelVCTest, LevelOutsideTheTableSelectsNothingAndIsKeptOnSave) {
    UserDefaults(kProgram).setEraserTimes(12);
    SetEraserLevelVC panel(nullptr, kProgram);
    panel.setEraserLevelSelect();
    EXPECT_TRUE(selected(panel).isEmpty());
    panel.saveButtonAction(); // no delegate: closing is a no-op
    EXPECT_EQ(UserDefaults(kProgram).eraserTimes(), 12);
    panel.setLevelStr(QStringLiteral("2"));
    EXPECT_EQ(selected(panel), QStringList{QStringLiteral("2")});
}

} // namespace

#include "app/Main/FileEraser/FileEraserListView.h"
#include "app/Main/FileEraser/FileEraserTableModel.h"
#include "app/Main/FileEraser/MakeSureFileEraserViewControoler.h"
#include "tests/utils/QStringPrinter.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

QString title(QWidget& view) {
    auto* label = view.findChild<QLabel*>(QStringLiteral("viewTitle"));
    return label ? label->text() : QString();
}

// Counts read right in English: the English table (loaded as the program loads it in the C
// locale) gives "1 item" and "3 items" for one text with %n.
TEST(EnglishPluralsTest, CountsOfOneAndOfManyReadRight) {
    MakeSureFileEraserViewControoler one(1, QStringLiteral("Gutmann"));
    MakeSureFileEraserViewControoler three(3, QStringLiteral("Gutmann"));
    EXPECT_EQ(title(one), QStringLiteral("Erase 1 item?"));
    EXPECT_EQ(title(three), QStringLiteral("Erase 3 items?"));
    EXPECT_TRUE(three.message()->text().contains(QStringLiteral("the 3 selected items")));

    QList<FileObjPtr> items;
    FileEraserTableModel model(&items);
    FileEraserListView list(&model);
    list.refresh(true, 1, 1, 0);
    EXPECT_EQ(list.summaryLabel()->text(), QStringLiteral("1 of 1 item selected"));
    list.refresh(false, 0, 2, 0);
    EXPECT_EQ(list.summaryLabel()->text(), QStringLiteral("0 of 2 items selected"));
}

} // namespace

#include "UiTestSupport.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/SlidePanel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPointer>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(ImageButtonTest, ShowsTheImageOfItsState) {
    uitest::app();
    ImageButton button(QStringLiteral("btn_sec"), QStringLiteral("Save"));
    button.resize(button.sizeHint());
    button.show();
    EXPECT_EQ(button.currentImageName(), QStringLiteral("btn_sec"));

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    EXPECT_EQ(button.currentImageName(), QStringLiteral("btn_sec_hover"));

    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_EQ(button.currentImageName(), QStringLiteral("btn_sec_press"));
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_EQ(button.currentImageName(), QStringLiteral("btn_sec"));

    button.setEnabled(false);
    EXPECT_EQ(button.currentImageName(), QStringLiteral("btn_sec_disable"));
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);

    // Switching sets, as radio buttons do; a set without variants keeps its one picture.
    ImageButton radio(QStringLiteral("radiobutton_no"), QStringLiteral("1 pass"));
    radio.setImageName(QStringLiteral("radiobutton_sel"));
    radio.setEnabled(false);
    EXPECT_EQ(radio.currentImageName(), QStringLiteral("radiobutton_sel"));
}

// The widget alone, without a window background behind it.
QImage drawOnTransparent(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

TEST(ImageButtonTest, BackgroundStretchesButKeepsItsCorners) {
    uitest::app();
    ImageButton button(QStringLiteral("btn_main"), QString());
    button.setLayout(ImageButton::Layout::Background);
    button.resize(320, 44); // wider and taller than the 140 x 36 drawing
    const QImage image = drawOnTransparent(button);
    ASSERT_EQ(image.size(), QSize(320, 44));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "rounded corner filled in";
    EXPECT_EQ(qAlpha(image.pixel(319, 43)), 0) << "rounded corner filled in";
    const QColor middle = image.pixelColor(160, 22);
    EXPECT_EQ(middle, QColor(59, 152, 254));
    EXPECT_EQ(image.pixelColor(2, 22), QColor(59, 152, 254)) << "left edge not stretched";

    button.setEnabled(false);
    EXPECT_NE(drawOnTransparent(button).pixelColor(160, 22), middle);
}

class SlidePanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        uitest::app();
        areaOwner = std::make_unique<QWidget>();
        QWidget& area = *areaOwner;
        area.resize(SlidePanel::kDefaultTravel, 500);
        panel = new QWidget(&area);
        panel->hide();
        area.show();
    }
    static bool finish(QPropertyAnimation* animation) {
        QSignalSpy finished(animation, &QAbstractAnimation::finished);
        return finished.wait(SlidePanel::kDurationMs * 4);
    }
    std::unique_ptr<QWidget> areaOwner;
    QWidget* panel = nullptr;
};

TEST_F(SlidePanelTest, SlidesInFromTheRightEdgeAndOutAgain) {
    QPropertyAnimation* in = SlidePanel::slideIn(panel);
    EXPECT_EQ(in->duration(), 500);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->size(), areaOwner->size());
    EXPECT_EQ(in->startValue().toPoint(), QPoint(784, 0));
    ASSERT_TRUE(finish(in));
    EXPECT_EQ(panel->pos(), QPoint(0, 0));

    bool closed = false;
    QPropertyAnimation* out = SlidePanel::slideOut(panel, [&] { closed = true; });
    EXPECT_TRUE(panel->isVisible()); // hidden only once it is out of sight
    ASSERT_TRUE(finish(out));
    EXPECT_EQ(panel->x(), 784);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(closed);
}

TEST_F(SlidePanelTest, ClosingHalfWayWinsOverTheOpening) {
    SlidePanel::slideIn(panel);
    QTest::qWait(120);
    const int halfWay = panel->x();
    EXPECT_GT(halfWay, 0);
    EXPECT_LT(halfWay, 784);
    QPropertyAnimation* out = SlidePanel::slideOut(panel);
    EXPECT_EQ(out->startValue().toPoint().x(), halfWay);
    ASSERT_TRUE(finish(out));
    QTest::qWait(SlidePanel::kDurationMs); // the stopped opening must not bring it back
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(panel->x(), 784);
}

TEST(AttachedWindowTest, IsWindowModalAndCentredOnItsOwner) {
    uitest::app();
    QWidget owner;
    owner.setGeometry(100, 80, 984, 640);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    auto* view = new QWidget;
    view->setFixedSize(420, 220);
    QPointer<AttachedWindow> window = AttachedWindow::present(view, &owner);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(window->isVisible());
    const QPoint ownerCentre = owner.mapToGlobal(owner.rect().center());
    const QPoint centre = window->geometry().center();
    EXPECT_LE((centre - ownerCentre).manhattanLength(), 4);

    QSignalSpy finished(window.data(), &QDialog::finished);
    EXPECT_TRUE(AttachedWindow::dismiss(view, 7));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), 7);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()); // presented windows go away once closed
    QWidget loose;
    EXPECT_FALSE(AttachedWindow::dismiss(&loose));
}

TEST(AttachedWindowTest, RunKeepsQueuedWorkGoingUntilDismissed) {
    uitest::app();
    QWidget owner;
    owner.resize(984, 640);
    owner.show();
    auto* view = new QWidget;
    int reports = 0;
    // Work started before the window runs reports through queued calls, as a progress view gets.
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++reports == 3)
            AttachedWindow::dismiss(view, QDialog::Accepted);
    });
    ticker.start(10);
    EXPECT_EQ(AttachedWindow::run(view, &owner), QDialog::Accepted);
    ticker.stop();
    EXPECT_EQ(reports, 3);
}

} // namespace

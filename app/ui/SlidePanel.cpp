#include "app/ui/SlidePanel.h"

#include <QEasingCurve>
#include <QPropertyAnimation>

namespace {
const char* const kAnimationName = "korvane-slide";
} // namespace

int SlidePanel::hiddenX(const QWidget* panel) {
    const QWidget* area = panel->parentWidget();
    return area && area->width() > 0 ? area->width() : kDefaultTravel;
}

QPropertyAnimation* SlidePanel::animate(QWidget* panel, int fromX, int toX) {
    // A panel reversed half-way starts from where it is, not from the far edge.
    if (auto* running = panel->findChild<QPropertyAnimation*>(QLatin1String(kAnimationName),
                                                              Qt::FindDirectChildrenOnly)) {
        fromX = panel->x();
        running->stop();
        delete running;
    }
    auto* animation = new QPropertyAnimation(panel, "pos", panel);
    animation->setObjectName(QLatin1String(kAnimationName));
    animation->setDuration(kDurationMs);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    animation->setStartValue(QPoint(fromX, 0));
    animation->setEndValue(QPoint(toX, 0));
    return animation;
}

QPropertyAnimation* SlidePanel::slideIn(QWidget* panel) {
    const bool wasVisible = panel->isVisible();
    if (QWidget* area = panel->parentWidget())
        panel->resize(area->size());
    const int startX = wasVisible ? panel->x() : hiddenX(panel);
    panel->move(startX, 0);
    panel->show();
    panel->raise();
    QPropertyAnimation* animation = animate(panel, startX, 0);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return animation;
}

QPropertyAnimation* SlidePanel::slideOut(QWidget* panel, std::function<void()> done) {
    QPropertyAnimation* animation = animate(panel, panel->x(), hiddenX(panel));
    QObject::connect(animation, &QPropertyAnimation::finished, panel,
                     [panel, done = std::move(done)] {
                         panel->hide();
                         if (done)
                             done();
                     });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return animation;
}

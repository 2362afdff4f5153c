#include "app/ui/AttachedWindow.h"

#include <QKeyEvent>
#include <QPainterPath>
#include <QRegion>
#include <QVBoxLayout>

namespace {
constexpr int kCornerRadius = 10;
} // namespace

AttachedWindow::AttachedWindow(QWidget* view, QWidget* owner)
    : QDialog(owner ? owner->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint),
      m_view(view), m_owner(owner ? owner->window() : nullptr) {
    setObjectName(QStringLiteral("AttachedWindow"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(view);
    setWindowTitle(view->windowTitle());
}

AttachedWindow::~AttachedWindow() {
    delete m_shade;
}

AttachedWindow* AttachedWindow::present(QWidget* view, QWidget* owner) {
    auto* window = new AttachedWindow(view, owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

int AttachedWindow::run(QWidget* view, QWidget* owner, bool closableByEscape) {
    AttachedWindow window(view, owner);
    window.setClosableByEscape(closableByEscape);
    return window.exec();
}

bool AttachedWindow::dismiss(QWidget* view, int result) {
    for (QWidget* w = view; w; w = w->parentWidget()) {
        if (auto* window = qobject_cast<AttachedWindow*>(w)) {
            window->done(result);
            return true;
        }
    }
    return false;
}

void AttachedWindow::showEvent(QShowEvent* event) {
    adjustSize();
    centreOnOwner();
    // Dim the owner's window so the attached window reads as being in front of it.
    if (m_owner && !m_shade) {
        m_shade = new QWidget(m_owner);
        m_shade->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_shade->setStyleSheet(QStringLiteral("background: rgba(8, 10, 24, 140);"));
        m_shade->setGeometry(m_owner->rect());
        m_shade->show();
        m_shade->raise();
    }
    QDialog::showEvent(event);
}

void AttachedWindow::hideEvent(QHideEvent* event) {
    delete m_shade;
    QDialog::hideEvent(event);
}

void AttachedWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !m_closableByEscape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void AttachedWindow::resizeEvent(QResizeEvent* event) {
    // Round the corners by the window's shape: it needs no compositor, unlike translucency.
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    setMask(QRegion(outline.toFillPolygon().toPolygon()));
    QDialog::resizeEvent(event);
}

void AttachedWindow::centreOnOwner() {
    if (!m_owner)
        return;
    const QRect frame = m_owner->frameGeometry();
    const QPoint centre = m_owner->mapToGlobal(m_owner->rect().center());
    QPoint topLeft(centre.x() - width() / 2, centre.y() - height() / 2);
    // Stay within the owner's window when the view is smaller than it.
    topLeft.setX(qMax(topLeft.x(), frame.left()));
    topLeft.setY(qMax(topLeft.y(), m_owner->mapToGlobal(QPoint(0, 0)).y()));
    move(topLeft);
}

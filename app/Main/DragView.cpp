#include "app/Main/DragView.h"

#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"

#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kMargin = 24;
} // namespace

DragView::DragView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DragView"));
    setAcceptDrops(true);

    auto* icon = new QLabel;
    icon->setObjectName(QStringLiteral("DropIcon"));
    icon->setPixmap(Images::pixmap(QStringLiteral("ic_drop"), QSize(72, 72), devicePixelRatioF()));
    icon->setAlignment(Qt::AlignCenter);
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* title = new QLabel(tr("Drop files and folders here"));
    title->setObjectName(QStringLiteral("DropTitle"));
    title->setProperty("role", QStringLiteral("title"));
    title->setAlignment(Qt::AlignCenter);

    m_hint = new QLabel(tr("They are listed first, so you can check them before anything is "
                           "erased.\nErased items are overwritten and cannot be recovered."));
    m_hint->setObjectName(QStringLiteral("DropHint"));
    m_hint->setProperty("role", QStringLiteral("subtitle"));
    m_hint->setAlignment(Qt::AlignCenter);
    m_hint->setWordWrap(true);

    m_addButton = new ImageButton(QStringLiteral("btn_main"), tr("Add Files and Folders…"));
    m_addButton->setObjectName(QStringLiteral("addButton"));
    // Wide enough for the text in every language.
    m_addButton->setFixedSize(std::max(220, m_addButton->sizeHint().width() + 24), 40);
    m_addButton->setTextSize(13);
    m_addButton->setBoldText(true);
    connect(m_addButton, &ImageButton::clicked, this, &DragView::addRequested);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin + 40, kMargin, kMargin + 40, kMargin);
    layout->addStretch(3);
    layout->addWidget(icon);
    layout->addSpacing(14);
    layout->addWidget(title);
    layout->addSpacing(6);
    layout->addWidget(m_hint);
    layout->addSpacing(22);
    layout->addWidget(m_addButton, 0, Qt::AlignHCenter);
    layout->addStretch(4);
}

QStringList DragView::localPaths(const QMimeData* mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        QString path = url.toLocalFile();
        // File managers send folders with a trailing slash; the list compares plain paths.
        while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

QRect DragView::frameRect() const {
    return rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

void DragView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = frameRect();
    painter.drawPixmap(frame, Images::pixmap(frameImage(), frame.size(), devicePixelRatioF()));
}

void DragView::setDragging(bool dragging) {
    if (dragging == m_dragging)
        return;
    m_dragging = dragging;
    update();
}

void DragView::dragEnterEvent(QDragEnterEvent* event) {
    if (!m_accepting || localPaths(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    setDragging(true);
}

void DragView::dragMoveEvent(QDragMoveEvent* event) {
    if (m_dragging)
        event->acceptProposedAction();
}

void DragView::dragLeaveEvent(QDragLeaveEvent*) {
    setDragging(false);
}

void DragView::dropEvent(QDropEvent* event) {
    setDragging(false);
    const QStringList paths = localPaths(event->mimeData());
    if (!m_accepting || paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit pathsDropped(paths);
}

#include "app/ui/ImageButton.h"

#include "app/ui/Images.h"
#include "app/ui/Theme.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace {
// Corners of a background image are kept at this size while the middle stretches.
constexpr int kCornerMargin = 10;
constexpr int kLeadingGap = 8;
} // namespace

ImageButton::ImageButton(const QString& imageName, const QString& text, QWidget* parent)
    : QAbstractButton(parent), m_imageName(imageName) {
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    if (text.isEmpty())
        m_layout = Layout::Icon;
}

void ImageButton::setImageName(const QString& imageName) {
    if (imageName == m_imageName)
        return;
    m_imageName = imageName;
    updateGeometry();
    update();
}

void ImageButton::setLayout(Layout layout) {
    m_layout = layout;
    updateGeometry();
    update();
}

void ImageButton::setTextSize(int pixelSize) {
    m_textSize = pixelSize;
    updateGeometry();
    update();
}

void ImageButton::setBoldText(bool bold) {
    m_bold = bold;
    updateGeometry();
    update();
}

QString ImageButton::currentImageName() const {
    if (!isEnabled())
        return Images::variant(m_imageName, QStringLiteral("_disable"));
    if (isDown())
        return Images::variant(m_imageName, QStringLiteral("_press"));
    if (m_hovered)
        return Images::variant(m_imageName, QStringLiteral("_hover"));
    return m_imageName;
}

QFont ImageButton::textFont() const {
    QFont f = font();
    f.setPixelSize(m_textSize);
    f.setBold(m_bold);
    return f;
}

QSize ImageButton::sizeHint() const {
    const QSize image = Images::naturalSize(m_imageName);
    const QFontMetrics metrics(textFont());
    const int textWidth = text().isEmpty() ? 0 : metrics.horizontalAdvance(text());
    switch (m_layout) {
    case Layout::Background:
        return {qMax(image.width(), textWidth + 2 * 20),
                qMax(image.height(), metrics.height() + 12)};
    case Layout::Icon:
        return image.isEmpty() ? QSize(24, 24) : image;
    case Layout::Leading:
        return {image.width() + (textWidth ? kLeadingGap + textWidth : 0),
                qMax(image.height(), metrics.height())};
    }
    return image;
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal ratio = devicePixelRatioF();
    const QString name = currentImageName();
    const QSize natural = Images::naturalSize(name);
    QRect textRect = rect();

    switch (m_layout) {
    case Layout::Background: {
        const QPixmap image = Images::pixmap(name, natural, ratio);
        if (!image.isNull()) {
            const int margin = qMin(kCornerMargin, qMin(natural.width(), natural.height()) / 2);
            const QMargins margins(margin, margin, margin, margin);
            qDrawBorderPixmap(&painter, rect(), margins, image);
        }
        break;
    }
    case Layout::Icon: {
        // Drawn at its own size, or smaller in proportion when the button is smaller.
        QSize drawn = natural;
        if (drawn.width() > width() || drawn.height() > height())
            drawn = natural.scaled(size(), Qt::KeepAspectRatio);
        const QPixmap image = Images::pixmap(name, drawn, ratio);
        const QRect target(QPoint((width() - drawn.width()) / 2, (height() - drawn.height()) / 2),
                           drawn);
        painter.drawPixmap(target, image);
        textRect = {};
        break;
    }
    case Layout::Leading: {
        const QPixmap image = Images::pixmap(name, natural, ratio);
        const QRect target(QPoint(0, (height() - natural.height()) / 2), natural);
        painter.drawPixmap(target, image);
        textRect = rect().adjusted(natural.width() + kLeadingGap, 0, 0, 0);
        break;
    }
    }

    if (!textRect.isEmpty() && !text().isEmpty()) {
        painter.setFont(textFont());
        painter.setPen(isEnabled() ? Theme::kText : Theme::kTextDisabled);
        const int align =
            m_layout == Layout::Leading ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
        painter.drawText(textRect, align, text());
    }
    if (hasFocus() && m_keyboardFocus) {
        QPen pen(Theme::kAccent, 1.5);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
    }
}

void ImageButton::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void ImageButton::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    m_keyboardFocus = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                      reason == Qt::ShortcutFocusReason;
    QAbstractButton::focusInEvent(event);
}

void ImageButton::focusOutEvent(QFocusEvent* event) {
    m_keyboardFocus = false;
    QAbstractButton::focusOutEvent(event);
}

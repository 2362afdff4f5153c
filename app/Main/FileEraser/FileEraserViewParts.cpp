#include "app/Main/FileEraser/FileEraserViewParts.h"

#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"
#include "app/ui/Theme.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kViewWidth = 440;
} // namespace

QVBoxLayout* FileEraserViewParts::frame(QWidget* view, const QString& icon, const QString& title) {
    view->setFixedWidth(kViewWidth);
    auto* picture = new QLabel;
    picture->setPixmap(Images::pixmap(icon, QSize(36, 36), view->devicePixelRatioF()));
    picture->setFixedSize(36, 36);
    auto* heading = new QLabel(title);
    heading->setObjectName(QStringLiteral("viewTitle"));
    heading->setProperty("role", QStringLiteral("title"));
    heading->setWordWrap(true);
    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(picture, 0, Qt::AlignVCenter);
    top->addWidget(heading, 1, Qt::AlignVCenter);

    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(28, 24, 28, 22);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addSpacing(6);
    return layout;
}

ImageButton* FileEraserViewParts::button(const QString& imageSet, const QString& text,
                                         const QString& name) {
    auto* button = new ImageButton(imageSet, text);
    button->setObjectName(name);
    button->setTextSize(13);
    // Wider than the usual 112 where the text needs it.
    QFont font = button->font();
    font.setPixelSize(13);
    button->setFixedSize(std::max(112, QFontMetrics(font).horizontalAdvance(text) + 32), 34);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QHBoxLayout* FileEraserViewParts::buttonRow(const QList<ImageButton*>& buttons) {
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    row->addStretch(1);
    for (ImageButton* button : buttons)
        row->addWidget(button);
    return row;
}

QWidget* FileEraserViewParts::warningLine(const QString& text) {
    auto* box = new QWidget;
    box->setObjectName(QStringLiteral("warningLine"));
    auto* icon = new QLabel;
    icon->setPixmap(
        Images::pixmap(QStringLiteral("ic_warning"), QSize(16, 16), box->devicePixelRatioF()));
    auto* label = new QLabel(text);
    label->setObjectName(QStringLiteral("warningText"));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::kWarning.name()));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(label, 1);
    return box;
}

QLabel* FileEraserViewParts::paragraph(const QString& text, const QString& name) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setProperty("role", QStringLiteral("subtitle"));
    return label;
}

FileEraserViewParts::RunArea FileEraserViewParts::runArea() {
    RunArea parts;
    parts.area = new QWidget;
    parts.column = new QVBoxLayout(parts.area);
    parts.column->setContentsMargins(0, 0, 0, 0);
    parts.bar = progressBar();
    parts.path = paragraph(QString(), QStringLiteral("pathText"));
    parts.path->setTextFormat(Qt::PlainText);
    parts.path->setWordWrap(true);
    parts.column->addWidget(parts.bar);
    parts.column->addWidget(parts.path);
    return parts;
}

QProgressBar* FileEraserViewParts::progressBar(int maximum) {
    auto* bar = new QProgressBar;
    bar->setObjectName(QStringLiteral("progressBar"));
    bar->setRange(0, maximum);
    bar->setTextVisible(false);
    return bar;
}

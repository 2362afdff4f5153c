#include "app/ui/Theme.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPalette>
#include <QStyleFactory>

namespace {

QString css(const QColor& c) {
    return c.alpha() == 255 ? c.name() : c.name(QColor::HexArgb);
}

bool isPlainStyle(const QString& style) {
    static const QStringList plain{QStringLiteral("Regular"), QStringLiteral("Book"),
                                   QStringLiteral("Normal"), QStringLiteral("Roman"),
                                   QStringLiteral("Medium")};
    return style.isEmpty() || plain.contains(style, Qt::CaseInsensitive);
}

} // namespace

void Theme::apply(QApplication& app) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setPalette(palette());
    QFont font = QApplication::font();
    font.setPixelSize(13);
    QApplication::setFont(font);
    app.setStyleSheet(styleSheet());
}

QPalette Theme::palette() {
    QPalette p;
    p.setColor(QPalette::Window, kBackground);
    p.setColor(QPalette::WindowText, kText);
    p.setColor(QPalette::Base, kSurface);
    p.setColor(QPalette::AlternateBase, kBackground);
    p.setColor(QPalette::Text, kText);
    p.setColor(QPalette::Button, kSurface);
    p.setColor(QPalette::ButtonText, kText);
    p.setColor(QPalette::BrightText, kText);
    p.setColor(QPalette::Highlight, kAccent);
    p.setColor(QPalette::HighlightedText, kText);
    p.setColor(QPalette::ToolTipBase, kSurface);
    p.setColor(QPalette::ToolTipText, kText);
    p.setColor(QPalette::PlaceholderText, kTextMuted);
    p.setColor(QPalette::Link, kAccent);
    p.setColor(QPalette::Mid, kBorder);
    p.setColor(QPalette::Dark, kSidebar);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, kTextDisabled);
    return p;
}

QString Theme::styleSheet() {
    // Object names and the "role" property pick the special cases; plain widgets get the defaults.
    return QStringLiteral(R"(
QToolTip { background: %1; color: %2; border: 1px solid %3; padding: 4px 8px; }
QLabel[role="title"] { font-size: 20px; font-weight: bold; color: %2; }
QLabel[role="subtitle"] { font-size: 13px; color: %4; }
QLabel[role="muted"] { color: %4; }
QFrame[role="card"] { background: %1; border: 1px solid %3; border-radius: 10px; }
QDialog#AttachedWindow { background: %5; border: 1px solid %3; border-radius: 10px; }
QListWidget, QTreeView, QTableView {
    background: %1; border: 1px solid %3; border-radius: 8px; outline: none;
    selection-background-color: %6; selection-color: %2; }
QHeaderView::section {
    background: %5; color: %4; border: none; border-bottom: 1px solid %3; padding: 6px 8px; }
QLineEdit, QComboBox, QSpinBox {
    background: %1; border: 1px solid %3; border-radius: 6px; padding: 5px 8px; color: %2; }
QLineEdit:focus, QComboBox:focus, QSpinBox:focus { border-color: %6; }
QProgressBar {
    background: %1; border: none; border-radius: 4px; height: 8px; text-align: center; color: transparent; }
QProgressBar::chunk { background: %6; border-radius: 4px; }
QScrollBar:vertical { background: transparent; width: 10px; margin: 2px; }
QScrollBar::handle:vertical { background: %3; border-radius: 3px; min-height: 24px; }
QScrollBar:horizontal { background: transparent; height: 10px; margin: 2px; }
QScrollBar::handle:horizontal { background: %3; border-radius: 3px; min-width: 24px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QMenu { background: %1; border: 1px solid %3; padding: 4px; }
QMenu::item { padding: 6px 18px; border-radius: 4px; }
QMenu::item:selected { background: %6; }
QPushButton {
    background: %1; border: 1px solid %3; border-radius: 8px; padding: 7px 16px; color: %2; }
QPushButton:hover { border-color: %6; }
QPushButton:pressed { background: %5; }
QPushButton:disabled { color: %7; border-color: %1; }
QPushButton:default { background: %6; border-color: %6; }
QPushButton[role="segment"]:checked { background: %6; border-color: %6; color: #FFFFFF; }
QFrame#Sidebar { background: %8; border-right: 1px solid %9; }
QLabel#BrandSubtitle, QLabel#VersionLabel { color: %4; }
QListWidget#ModuleList { background: %8; border: none; }
QListWidget#ModuleList::item {
    color: %10; padding-left: 10px; margin: 2px 0; border-radius: 8px; }
QListWidget#ModuleList::item:hover { background: %1; color: %2; }
QListWidget#ModuleList::item:selected { background: %6; color: %2; }
QListWidget#ModuleList::item:disabled { color: %7; }
QListWidget#ModuleList::item:selected:disabled { background: %11; color: %4; }
QFrame#AdminNoticeBox { background: %12; border: 1px solid %13; border-radius: 8px; }
QLabel#AdminNotice { color: %14; font-size: 11px; }
QLabel#PlaceholderIcon { background: %15; border: 1px solid %11; border-radius: 48px; }
QLabel#PlaceholderNotice {
    background: %1; border: 1px solid %3; border-radius: 8px; padding: 10px 18px; color: %4; }
)")
        .arg(css(kSurface), css(kText), css(kBorder), css(kTextMuted), css(kBackground),
             css(kAccent), css(kTextDisabled), css(kSidebar), css(kSidebar.darker(125)))
        .arg(QStringLiteral("#D5DBF3"), css(QColor(59, 152, 254, 90)),
             css(QColor(255, 181, 71, 28)), css(QColor(255, 181, 71, 110)),
             QStringLiteral("#FFD9A0"), css(QColor(59, 152, 254, 40)));
}

QString Theme::fontName(const QFont& font) {
    const QFontInfo info(font);
    const QString family = info.family();
    const QString style = info.styleName();
    return isPlainStyle(style) ? family : family + QLatin1Char(' ') + style;
}

QFont Theme::fontNamed(const QString& name, int pixelSize) {
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    const QStringList families = QFontDatabase::families();
    if (families.contains(name)) {
        font.setFamily(name);
        return font;
    }
    // "Family Style": the longest known family that prefixes the name, then one of its styles.
    QString best;
    for (const QString& family : families)
        if (name.startsWith(family + QLatin1Char(' ')) && family.size() > best.size())
            best = family;
    if (best.isEmpty())
        return font;
    const QString style = name.mid(best.size() + 1);
    font.setFamily(best);
    // Weight and slant rather than the style name: the font then matches like any other font
    // of that weight and reports its weight truthfully.
    if (QFontDatabase::styles(best).contains(style)) {
        font.setWeight(static_cast<QFont::Weight>(QFontDatabase::weight(best, style)));
        font.setItalic(QFontDatabase::italic(best, style));
    }
    return font;
}

#include "app/Main/MainWindowController.h"

#include "app/Main/AboutViewController.h"
#include "app/Main/ModuleListView.h"
#include "app/Main/ModulePlaceholderPage.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/Images.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kSidebarWidth = 200;
} // namespace

MainWindowController::MainWindowController(bool runningAsAdmin, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(kTitle);
    setWindowIcon(Images::icon(QStringLiteral("app_logo")));
    m_stack = new QStackedWidget;
    m_stack->setObjectName(QStringLiteral("ModuleStack"));
    for (const ModuleInfo& module : ModuleCatalog::all())
        m_stack->addWidget(new ModulePlaceholderPage(module));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QWidget* sidebar = buildSidebar(runningAsAdmin);
    layout->addWidget(sidebar);
    layout->addWidget(m_stack, 1);
    // The module area is 784 pixels wide at this size; panels slide in across exactly that. A
    // sidebar widened for long module titles widens the window by as much.
    setMinimumSize(sidebar->width() + 784, 640);
    resize(minimumSize());

    connect(m_list, &ModuleListView::moduleChosen, m_stack, &QStackedWidget::setCurrentIndex);
}

QWidget* MainWindowController::buildSidebar(bool runningAsAdmin) {
    auto* sidebar = new QFrame;
    sidebar->setObjectName(QStringLiteral("Sidebar"));

    auto* logo = new QLabel;
    logo->setPixmap(Images::pixmap(QStringLiteral("app_logo"), QSize(34, 34), devicePixelRatioF()));
    m_titleLabel = new QLabel(QStringLiteral("Korvane"));
    m_titleLabel->setObjectName(QStringLiteral("BrandTitle"));
    QFont bold = m_titleLabel->font();
    bold.setPixelSize(17);
    bold.setWeight(QFont::Bold);
    m_titleLabel->setFont(bold);
    m_subtitleLabel = new QLabel(QStringLiteral("Data Eraser"));
    m_subtitleLabel->setObjectName(QStringLiteral("BrandSubtitle"));
    QFont light = m_subtitleLabel->font();
    light.setPixelSize(12);
    light.setWeight(QFont::Light);
    m_subtitleLabel->setFont(light);

    auto* brandText = new QVBoxLayout;
    brandText->setSpacing(0);
    brandText->addWidget(m_titleLabel);
    brandText->addWidget(m_subtitleLabel);
    auto* brand = new QHBoxLayout;
    brand->setSpacing(10);
    brand->addWidget(logo);
    brand->addLayout(brandText);
    brand->addStretch();

    m_list = new ModuleListView;

    m_versionLabel = new QLabel(tr("Version %1")
                                    .arg(QCoreApplication::applicationVersion().isEmpty()
                                             ? QStringLiteral("1.0.0")
                                             : QCoreApplication::applicationVersion()));
    m_versionLabel->setObjectName(QStringLiteral("VersionLabel"));
    // "About" beside the version opens the about panel with the update check.
    m_versionLabel->setText(m_versionLabel->text() +
                            QStringLiteral(" · <a href=\"about\">%1</a>").arg(tr("About")));
    m_versionLabel->setTextFormat(Qt::RichText);
    connect(m_versionLabel, &QLabel::linkActivated, this,
            [this] { AttachedWindow::run(new AboutViewController, this); });
    QFont regular = m_versionLabel->font();
    regular.setPixelSize(11);
    regular.setWeight(QFont::Normal);
    m_versionLabel->setFont(regular);

    auto* column = new QVBoxLayout(sidebar);
    column->setContentsMargins(12, 18, 12, 14);
    column->setSpacing(0);
    column->addLayout(brand);
    column->addSpacing(22);
    column->addWidget(m_list, 1);

    if (!runningAsAdmin) {
        // The loader starts the program this way only when the privileged start failed.
        m_adminNotice =
            new QLabel(tr("Running without administrator rights: some erasures may fail."));
        m_adminNotice->setObjectName(QStringLiteral("AdminNotice"));
        m_adminNotice->setWordWrap(true);
        m_adminNotice->setToolTip(
            tr("Files, free space or volumes that only the administrator may change "
               "cannot be erased. Start the program from its loader to grant "
               "administrator rights."));
        auto* icon = new QLabel;
        icon->setPixmap(
            Images::pixmap(QStringLiteral("ic_warning"), QSize(16, 16), devicePixelRatioF()));
        icon->setAlignment(Qt::AlignTop);
        auto* box = new QFrame;
        box->setObjectName(QStringLiteral("AdminNoticeBox"));
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(10, 8, 10, 8);
        row->setSpacing(8);
        row->addWidget(icon, 0, Qt::AlignTop);
        row->addWidget(m_adminNotice, 1);
        column->addWidget(box);
        column->addSpacing(10);
    }
    m_versionLabel->setContentsMargins(10, 0, 0, 0);
    column->addWidget(m_versionLabel);
    sidebar->setFixedWidth(sidebarWidth());
    return sidebar;
}

int MainWindowController::sidebarWidth() const {
    // Module titles are longer in some languages ("Freien Speicher löschen"): the sidebar grows
    // so that each is shown whole. Beside the text: the margins, the item's padding, the icon.
    const QFontMetrics metrics(m_list->font());
    int widest = 0;
    for (int row = 0; row < m_list->count(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(m_list->item(row)->text()));
    constexpr int kBesideText = 12 + 10 + 20 + 8 + 16 + 12;
    return std::max(kSidebarWidth, widest + kBesideText);
}

void MainWindowController::setModulePage(MainModule module, QWidget* page) {
    const int index = ModuleCatalog::indexOf(module);
    QWidget* old = m_stack->widget(index);
    const bool wasCurrent = m_stack->currentIndex() == index;
    m_stack->insertWidget(index, page);
    m_stack->removeWidget(old);
    old->deleteLater();
    if (wasCurrent)
        m_stack->setCurrentIndex(index);
}

QWidget* MainWindowController::modulePage(MainModule module) const {
    return m_stack->widget(ModuleCatalog::indexOf(module));
}

bool MainWindowController::showModule(MainModule module) {
    return m_list->selectModule(ModuleCatalog::indexOf(module));
}

MainModule MainWindowController::currentModule() const {
    return static_cast<MainModule>(m_stack->currentIndex());
}

void MainWindowController::canChangeType(bool canChange) {
    m_list->setLocked(!canChange);
}

bool MainWindowController::canChangeModule() const {
    return !m_list->isLocked();
}

MainWindowController::ReferenceFonts MainWindowController::referenceFonts() const {
    return {m_versionLabel->font(), m_subtitleLabel->font(), m_titleLabel->font()};
}

void MainWindowController::closeEvent(QCloseEvent* event) {
    if (!canChangeModule() && !confirmCloseWhileLocked()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool MainWindowController::confirmCloseWhileLocked() {
    QMessageBox box(QMessageBox::Warning, kTitle, tr("An erasure is still running."),
                    QMessageBox::NoButton, this);
    box.setInformativeText(
        tr("Quitting now stops it, and the items not reached yet are left as they are."));
    QPushButton* quit = box.addButton(tr("Quit"), QMessageBox::DestructiveRole);
    QPushButton* keep = box.addButton(tr("Keep Running"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    box.exec();
    return box.clickedButton() == static_cast<QAbstractButton*>(quit);
}

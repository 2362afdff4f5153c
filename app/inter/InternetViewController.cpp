#include "app/inter/InternetViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/ModuleOwner.h"
#include "app/inter/BrowserCloser.h"
#include "app/inter/BrowserLockProbe.h"
#include "app/inter/CleanerInterEndViewController.h"
#include "app/inter/CloseBrowerViewController.h"
#include "app/inter/FullDiskAccessAuthorizer.h"
#include "app/inter/FullDiskAccessViewController.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"
#include "app/uninstall/UninstallFolders.h"
#include "platform/UserAccount.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace {

constexpr int kCloseWaitMs = 15000;

QIcon iconOf(const BrowerObj& obj) {
    if (obj.isBrowser() && !obj.iconImage.isEmpty()) {
        const QIcon themed = QIcon::fromTheme(obj.iconImage);
        if (!themed.isNull())
            return themed;
    }
    if (!obj.isBrowser() && Images::exists(obj.iconImage))
        return Images::icon(obj.iconImage);
    return Images::icon(obj.name == QLatin1String("Browsing History")
                            ? QStringLiteral("ic_history")
                            : QStringLiteral("nav_internet_cleaner"));
}

} // namespace

BrowserScanner::Options InternetViewController::defaultOptions() {
    BrowserScanner::Options options;
    options.history = EraserHistory::load();
    // Only an account the account database knows gives paths; no user, no browsers.
    if (const auto user = UserAccount::invokingUser()) {
        options.userName = user->name;
        options.home = user->home;
        options.uid = user->uid;
    }
    options.applicationFolders = UninstallFolders::load().folders(QStringLiteral("Applications"));
    return options;
}

InternetViewController::InternetViewController(ModuleOwner* owner, OptionsProvider options,
                                               QWidget* parent)
    : QWidget(parent), m_owner(owner), m_optionsProvider(std::move(options)) {
    setObjectName(QStringLiteral("InternetViewController"));
    if (!m_optionsProvider)
        m_optionsProvider = &InternetViewController::defaultOptions;

    auto* title = new QLabel(tr("Internet Cleaner"));
    title->setProperty("role", QStringLiteral("title"));
    auto* subtitle =
        new QLabel(tr("Remove the history, cookies, passwords and caches your browsers keep"));
    subtitle->setProperty("role", QStringLiteral("subtitle"));
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(title);
    text->addWidget(subtitle);
    m_refresh = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Refresh"),
                                            QStringLiteral("refreshButton"));
    connect(m_refresh, &ImageButton::clicked, this, &InternetViewController::scanBrowsers);
    auto* header = new QHBoxLayout;
    header->addLayout(text, 1);
    header->addWidget(m_refresh, 0, Qt::AlignTop);

    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("browserTree"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({tr("Browsers and their data"), tr("Size")});
    m_tree->header()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    m_tree->header()->setStretchLastSection(false);
    m_tree->setColumnWidth(kSizeColumn, 140);
    m_tree->setIconSize(QSize(24, 24));
    m_tree->setSelectionMode(QAbstractItemView::NoSelection);
    m_tree->setFocusPolicy(Qt::NoFocus);
    connect(m_tree, &QTreeWidget::itemChanged, this, &InternetViewController::itemChanged);

    m_count = new QLabel;
    m_count->setObjectName(QStringLiteral("countLabel"));
    m_clean = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Clean"),
                                          QStringLiteral("cleanButton"));
    connect(m_clean, &ImageButton::clicked, this, &InternetViewController::cleanButtonAction);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_count, 1);
    bottom->addWidget(m_clean);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addLayout(header);
    layout->addWidget(m_tree, 1);
    layout->addLayout(bottom);

    connect(&m_scan, &QFutureWatcher<QList<BrowerObjPtr>>::finished, this, [this] {
        m_browsers = m_scan.result();
        m_isScan = false;
        m_refresh->setEnabled(true);
        reloadTree();
        emit scanFinished();
    });
    connect(&m_cleaning, &QFutureWatcher<BrowserCleaner::Summary>::finished, this,
            [this] { showEnd(m_cleaning.result()); });
    updateCount();
    scanBrowsers();
}

InternetViewController::~InternetViewController() {
    m_scan.waitForFinished();
    m_cleaning.waitForFinished();
}

void InternetViewController::scanBrowsers() {
    if (m_isScan || m_running)
        return;
    m_isScan = true;
    m_refresh->setEnabled(false);
    m_clean->setEnabled(false);
    m_options = m_optionsProvider();
    // The data lies in the user's home: when it cannot be read, say so rather than show
    // empty browsers.
    if (FullDiskAccessAuthorizer::sharedAuthorizer()->authorizationStatus(m_options.home) !=
        FullDiskAccessAuthorizer::Authorized)
        QTimer::singleShot(
            0, this, [this] { AttachedWindow::present(new FullDiskAccessViewController, this); });
    const BrowserScanner::Options options = m_options;
    m_scan.setFuture(QtConcurrent::run([options] { return BrowserScanner(options).scan(); }));
}

void InternetViewController::reloadTree() {
    m_reloading = true;
    m_tree->clear();
    for (int b = 0; b < m_browsers.size(); ++b) {
        const BrowerObj& browser = *m_browsers[b];
        auto* top = new QTreeWidgetItem(m_tree, {browser.name, browser.size});
        top->setIcon(kNameColumn, iconOf(browser));
        top->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
        top->setTextAlignment(kSizeColumn, Qt::AlignRight | Qt::AlignVCenter);
        for (const BrowerObjPtr& kind : browser.chrArr) {
            auto* row = new QTreeWidgetItem(top, {kind->name, kind->size});
            row->setIcon(kNameColumn, iconOf(*kind));
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            row->setCheckState(kNameColumn, kind->isSelect ? Qt::Checked : Qt::Unchecked);
            row->setTextAlignment(kSizeColumn, Qt::AlignRight | Qt::AlignVCenter);
            const QStringList problems = kind->problems();
            if (!problems.isEmpty())
                row->setToolTip(kNameColumn, problems.join(QLatin1Char('\n')));
        }
        top->setExpanded(true);
    }
    m_reloading = false;
    updateCount();
}

void InternetViewController::itemChanged(QTreeWidgetItem* item, int column) {
    if (m_reloading || column != kNameColumn || !item->parent())
        return;
    const int b = m_tree->indexOfTopLevelItem(item->parent());
    const int k = item->parent()->indexOfChild(item);
    if (b < 0 || b >= m_browsers.size() || k < 0 || k >= m_browsers[b]->chrArr.size())
        return;
    m_browsers[b]->chrArr[k]->isSelect = item->checkState(kNameColumn) == Qt::Checked;
    updateCount();
}

void InternetViewController::updateCount() {
    int kinds = 0;
    for (const BrowerObjPtr& browser : m_browsers) {
        bool any = false;
        for (const BrowerObjPtr& kind : browser->chrArr)
            if (kind->isSelect) {
                ++kinds;
                any = true;
            }
        browser->isSelect = any;
    }
    m_count->setText(m_browsers.isEmpty()
                         ? (m_isScan ? tr("Looking for browsers…") : tr("No browser found"))
                         : tr("%n browser(s), ", nullptr, int(m_browsers.size())) +
                               tr("%n kind(s) of data chosen", nullptr, kinds));
    m_clean->setEnabled(!m_isScan && !m_running && kinds > 0);
}

void InternetViewController::cleanButtonAction() {
    if (m_isScan || m_running)
        return;
    QStringList running;
    for (const BrowerObjPtr& browser : m_browsers) {
        if (!browser->isSelect)
            continue;
        for (const BrowserLockProbe::Holder& h :
             BrowserLockProbe::running(browser->family, browser->profiles, m_options.uid))
            running << tr("%1 (process %2)").arg(browser->name).arg(h.pid);
    }
    if (!running.isEmpty() &&
        AttachedWindow::run(new CloseBrowerViewController(running), this) != QDialog::Accepted)
        return; // nothing is cleaned while they run
    startClean(!running.isEmpty());
}

void InternetViewController::startClean(bool closeRunning) {
    m_running = true;
    if (m_owner)
        m_owner->canChangeType(false);
    m_refresh->setEnabled(false);
    m_tree->setEnabled(false);
    updateCount();
    const QList<BrowerObjPtr> browsers = m_browsers;
    const uid_t uid = m_options.uid;
    m_cleaning.setFuture(QtConcurrent::run([browsers, uid, closeRunning] {
        if (closeRunning)
            for (const BrowerObjPtr& browser : browsers) {
                if (!browser->isSelect)
                    continue;
                auto probe = [browser, uid] {
                    return BrowserLockProbe::running(browser->family, browser->profiles, uid);
                };
                const auto holders = probe();
                if (!holders.isEmpty())
                    BrowserCloser::close(holders, probe, kCloseWaitMs);
            }
        // A browser that did not end is left alone by the cleaner and named in the summary.
        return BrowserCleaner(uid).clean(browsers);
    }));
}

void InternetViewController::showEnd(const BrowserCleaner::Summary& summary) {
    m_running = false;
    if (m_owner)
        m_owner->canChangeType(true);
    m_refresh->setEnabled(true);
    m_tree->setEnabled(true);
    reloadTree();
    AttachedWindow::present(new CleanerInterEndViewController(summary), this);
    emit cleanFinished(summary);
}

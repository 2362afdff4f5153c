#include "app/inter/InternetViewController.h"

#include "app/inter/BrowserKindNames.h"
#include "app/ui/HeaderWidths.h"

#include "app/Job/CleanBrowsersOperation.h"
#include "app/Job/OperationRunner.h"
#include "app/Main/FileEraser/EraseReport.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/FileEraser/FileObjBuilder.h"
#include "app/Main/ModuleOwner.h"
#include "app/inter/CleanerInterEndViewController.h"
#include "app/inter/CloseBrowerViewController.h"
#include "app/inter/CookieKeepListViewController.h"
#include "app/inter/FullDiskAccessAuthorizer.h"
#include "app/inter/FullDiskAccessViewController.h"
#include "app/inter/MakeSureCleanBrowsersViewController.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"
#include "app/ui/Theme.h"
#include "app/uninstall/UninstallFolders.h"
#include "platform/UserAccount.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace {

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
    // Shared with the command line: the kept sites' cookies are neither counted nor removed.
    options.keptCookies = CookieKeepList::stored();
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
    m_keptCookies = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cookies to keep…"),
                                                QStringLiteral("keptCookiesButton"));
    connect(m_keptCookies, &ImageButton::clicked, this, &InternetViewController::editKeptCookies);
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
    HeaderWidths::fitTitles(m_tree->header());
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
    bottom->setSpacing(10);
    bottom->addWidget(m_count, 1);
    bottom->addWidget(m_keptCookies);
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
        m_keptCookies->setEnabled(true);
        reloadTree();
        emit scanFinished();
    });
    m_runner = new OperationRunner(this);
    connect(m_runner, &OperationRunner::planned, this, &InternetViewController::planned);
    connect(m_runner, &OperationRunner::finished, this, [this] {
        if (!m_cleanOperation)
            return;
        const BrowserCleaner::Summary summary = m_cleanOperation->summary();
        m_cleanOperation.reset();
        showEnd(summary);
    });
    updateCount();
    scanBrowsers();
}

InternetViewController::~InternetViewController() {
    m_scan.waitForFinished(); // the runner (a child) stops and joins a clean under way
}

void InternetViewController::scanBrowsers() {
    if (m_isScan || m_running)
        return;
    m_isScan = true;
    m_leftRunning.clear();
    m_refresh->setEnabled(false);
    m_keptCookies->setEnabled(false);
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
    for (const BrowerObjPtr& browserPtr : m_browsers) {
        const BrowerObj& browser = *browserPtr;
        auto* top = new QTreeWidgetItem(m_tree, {browser.name, browser.shownSize()});
        top->setIcon(kNameColumn, iconOf(browser));
        // Not auto-tristate: Qt gives up the parent's tick when a child has none, as the rows
        // of folders not followed have.
        top->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        top->setTextAlignment(kSizeColumn, Qt::AlignRight | Qt::AlignVCenter);
        // A data folder that leads out of the home is named first, so a browser found only by
        // such a folder never reads as one that merely holds nothing.
        for (const QString& refusal : browser.refusals) {
            auto* row = new QTreeWidgetItem(top, {tr("Not followed: %1").arg(refusal)});
            row->setIcon(kNameColumn, Images::icon(QStringLiteral("ic_warning")));
            row->setForeground(kNameColumn, Theme::kWarning);
            row->setToolTip(kNameColumn, refusal);
            row->setFlags(Qt::ItemIsEnabled);
        }
        if (!browser.refusals.isEmpty()) {
            if (browser.profiles.isEmpty())
                top->setText(kSizeColumn, tr("not followed"));
            top->setForeground(kSizeColumn, Theme::kWarning);
            const QString why =
                tr("Not followed:") + QLatin1Char('\n') + browser.refusals.join(QLatin1Char('\n'));
            top->setToolTip(kNameColumn, why);
            top->setToolTip(kSizeColumn, why);
        }
        for (int k = 0; k < browser.chrArr.size(); ++k) {
            const BrowerObj& kind = *browser.chrArr[k];
            auto* row =
                new QTreeWidgetItem(top, {BrowserKindNames::shown(kind.name), kind.shownSize()});
            row->setData(kNameColumn, kKindRole, k);
            row->setIcon(kNameColumn, iconOf(kind));
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            row->setCheckState(kNameColumn, kind.isSelect ? Qt::Checked : Qt::Unchecked);
            row->setTextAlignment(kSizeColumn, Qt::AlignRight | Qt::AlignVCenter);
            const QString why = whyNotCleaned(browser, kind);
            if (!why.isEmpty()) {
                row->setToolTip(kNameColumn, why);
                row->setToolTip(kSizeColumn, why);
                row->setForeground(kSizeColumn, Theme::kWarning);
            }
        }
        syncBrowserCheck(top, browser);
        top->setExpanded(true);
    }
    m_reloading = false;
    updateCount();
}

QString InternetViewController::whyNotCleaned(const BrowerObj& browser,
                                              const BrowerObj& kind) const {
    QStringList why = kind.problems();
    if (m_leftRunning.contains(browser.name) && kind.isSelect && !kind.allCleaned())
        why.prepend(tr("Not removed: %1 was running.").arg(browser.name));
    return why.join(QLatin1Char('\n'));
}

void InternetViewController::syncBrowserCheck(QTreeWidgetItem* top, const BrowerObj& browser) {
    int chosen = 0;
    for (const BrowerObjPtr& kind : browser.chrArr)
        chosen += kind->isSelect ? 1 : 0;
    top->setCheckState(kNameColumn, chosen == 0                       ? Qt::Unchecked
                                    : chosen == browser.chrArr.size() ? Qt::Checked
                                                                      : Qt::PartiallyChecked);
}

void InternetViewController::itemChanged(QTreeWidgetItem* item, int column) {
    if (m_reloading || column != kNameColumn)
        return;
    QTreeWidgetItem* top = item->parent() ? item->parent() : item;
    const int b = m_tree->indexOfTopLevelItem(top);
    if (b < 0 || b >= m_browsers.size())
        return;
    BrowerObj& browser = *m_browsers[b];
    m_reloading = true; // the rows set below would call back here
    if (!item->parent()) {
        // The browser's tick chooses all its kinds or none.
        const bool all = item->checkState(kNameColumn) != Qt::Unchecked;
        for (int c = 0; c < top->childCount(); ++c) {
            QTreeWidgetItem* row = top->child(c);
            const QVariant k = row->data(kNameColumn, kKindRole);
            if (!k.isValid() || k.toInt() >= browser.chrArr.size())
                continue;
            browser.chrArr[k.toInt()]->isSelect = all;
            row->setCheckState(kNameColumn, all ? Qt::Checked : Qt::Unchecked);
        }
    } else if (const QVariant k = item->data(kNameColumn, kKindRole);
               k.isValid() && k.toInt() < browser.chrArr.size()) {
        browser.chrArr[k.toInt()]->isSelect = item->checkState(kNameColumn) == Qt::Checked;
    }
    syncBrowserCheck(top, browser);
    m_reloading = false;
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
    if (m_isScan || m_running || m_cleanOperation ||
        MakeSureCleanBrowsersViewController::chosenKinds(m_browsers) == 0)
        return;
    // Overwriting in place cannot reach what a copy-on-write volume keeps: say so before.
    QStringList onCopyOnWrite;
    const auto copyOnWrite = FileObjBuilder::systemCopyOnWriteTest();
    for (const BrowerObjPtr& browser : m_browsers)
        if (browser->isSelect && !browser->profiles.isEmpty() &&
            copyOnWrite(QFile::encodeName(browser->profiles.first().path)))
            onCopyOnWrite << browser->profiles.first().path;
    m_copyOnWriteWarnings.clear();
    if (!onCopyOnWrite.isEmpty())
        m_copyOnWriteWarnings << EraseReport::copyOnWriteWarning(onCopyOnWrite);
    // The sites kept when counting are kept when removing: the clean matches the question.
    m_cleanOperation =
        std::make_shared<CleanBrowsersOperation>(m_browsers, m_options.uid, m_options.keptCookies);
    if (!m_runner->plan(m_cleanOperation))
        m_cleanOperation.reset();
}

// Asks with what the plan found: the removal first, then the closing of the browsers that run.
// Nothing is closed before both answers are yes.
void InternetViewController::planned(const DestructiveOperation::Plan& plan) {
    using Op = DestructiveOperation;
    if (!m_cleanOperation)
        return;
    QStringList running;
    for (const Op::ConsentNeeded& consent : plan.consents)
        if (consent.consent == Op::Consent::RunningBrowser)
            running << consent.subject;
    const bool agreed =
        plan.runnable() &&
        AttachedWindow::run(new MakeSureCleanBrowsersViewController(
                                m_browsers, m_options.keptCookies.domains(), m_copyOnWriteWarnings),
                            this) == QDialog::Accepted &&
        // nothing is cleaned while they run
        (running.isEmpty() ||
         AttachedWindow::run(new CloseBrowerViewController(running), this) == QDialog::Accepted);
    if (!agreed) {
        m_cleanOperation.reset();
        return;
    }
    m_running = true;
    if (m_owner)
        m_owner->canChangeType(false);
    m_refresh->setEnabled(false);
    m_keptCookies->setEnabled(false);
    m_tree->setEnabled(false);
    updateCount();
    m_runner->run(plan,
                  Op::Consents().give(Op::Consent::Irreversible).give(Op::Consent::RunningBrowser));
}

void InternetViewController::editKeptCookies() {
    if (m_isScan || m_running)
        return;
    if (AttachedWindow::run(new CookieKeepListViewController(CookieKeepList::stored()), this) ==
        QDialog::Accepted)
        scanBrowsers(); // the kept sites' cookies no longer count
}

void InternetViewController::showEnd(const BrowserCleaner::Summary& summary) {
    m_running = false;
    if (m_owner)
        m_owner->canChangeType(true);
    m_leftRunning = summary.running;
    m_refresh->setEnabled(true);
    m_keptCookies->setEnabled(true);
    m_tree->setEnabled(true);
    reloadTree();
    AttachedWindow::present(new CleanerInterEndViewController(summary), this);
    emit cleanFinished(summary);
}

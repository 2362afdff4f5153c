#include "app/uninstall/UninstallViewController.h"

#include "app/ui/HeaderWidths.h"

#include "app/Job/OperationRunner.h"
#include "app/Job/UninstallOperation.h"

#include "app/Comm/CommUti.h"
#include "app/Main/FileEraser/FileEraserSortVC.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/ModuleOwner.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"
#include "app/uninstall/CustemSegmentVC.h"
#include "app/uninstall/MakeSureUninstallViewController.h"
#include "app/uninstall/UninstallProgressViewController.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <algorithm>

namespace {

// Draws the size column and asks for a row's size the first time it is drawn.
class SizeDelegate : public QStyledItemDelegate {
public:
    explicit SizeDelegate(UninstallViewController* owner)
        : QStyledItemDelegate(owner), m_owner(owner) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        m_owner->needSize(index.row());
        QStyledItemDelegate::paint(painter, option, index);
    }

private:
    UninstallViewController* m_owner;
};

QIcon iconFor(const AMAppItem& item) {
    if (!item.image.isEmpty()) {
        const QIcon themed = item.image.startsWith(QLatin1Char('/')) ? QIcon(item.image)
                                                                     : QIcon::fromTheme(item.image);
        if (!themed.isNull())
            return themed;
    }
    return Images::icon(QStringLiteral("nav_uninstaller"));
}

} // namespace

UninstallViewController::UninstallViewController(ModuleOwner* owner,
                                                 std::shared_ptr<AppCatalog> catalog,
                                                 QWidget* parent)
    : QWidget(parent), m_owner(owner), m_catalog(std::move(catalog)) {
    setObjectName(QStringLiteral("UninstallViewController"));
    if (!m_catalog)
        m_catalog = std::make_shared<AppCatalog>(UninstallFolders::load());
    m_runner = new OperationRunner(this);
    connect(m_runner, &OperationRunner::planned, this, &UninstallViewController::planned);
    connect(m_runner, &OperationRunner::progress, this,
            [this](const DestructiveOperation::Progress& step) {
                if (m_progress)
                    m_progress->changeProgressValue(
                        int(step.done * 100 / std::max<qint64>(1, step.total)), step.subject);
            });
    connect(m_runner, &OperationRunner::finished, this, [this] {
        if (!m_removal)
            return;
        m_lastReport = m_removal->uninstallReport();
        m_removal.reset();
        if (m_progress) {
            m_progress->changeLabel(m_lastReport.message());
            m_progress->changeProgressValue(100, QString());
        }
    });

    m_title = new QLabel(tr("Uninstaller"));
    m_title->setProperty("role", QStringLiteral("title"));
    auto* subtitle = new QLabel(tr("Remove applications with their settings, caches and data"));
    subtitle->setProperty("role", QStringLiteral("subtitle"));
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(m_title);
    text->addWidget(subtitle);
    m_refresh = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Refresh"),
                                            QStringLiteral("refreshButton"));
    connect(m_refresh, &ImageButton::clicked, this, &UninstallViewController::refButtonAction);
    auto* header = new QHBoxLayout;
    header->addLayout(text, 1);
    header->addWidget(m_refresh, 0, Qt::AlignTop);

    m_tabs = new CustemSegmentVC({tr("Applications"), tr("Widgets"), tr("Plug-ins")});
    connect(m_tabs, &CustemSegmentVC::segmentSelectWithIndex, this,
            &UninstallViewController::segmentSelectWithIndex);
    m_search = new QLineEdit;
    m_search->setObjectName(QStringLiteral("searchField"));
    m_search->setPlaceholderText(tr("Search"));
    m_search->setClearButtonEnabled(true);
    m_search->setFixedWidth(220);
    connect(m_search, &QLineEdit::textChanged, this,
            &UninstallViewController::controlTextDidChange);
    m_sort = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Sort"),
                                         QStringLiteral("sortButton"));
    connect(m_sort, &ImageButton::clicked, this, [this] {
        auto* chooser = new FileEraserSortVC(m_sortType, m_sortAD, this);
        connect(chooser, &FileEraserSortVC::sortChosen, this, [this, chooser](int key, int ad) {
            chooser->close();
            selectSortbyType(key, ad);
        });
        chooser->popUp(m_sort);
    });
    auto* tools = new QHBoxLayout;
    tools->addWidget(m_tabs, 1);
    tools->addWidget(m_search);
    tools->addWidget(m_sort);

    m_table = new QTableWidget(0, 5);
    m_table->setObjectName(QStringLiteral("appTable"));
    m_table->setHorizontalHeaderLabels(
        {QString(), tr("Applications"), tr("Version"), tr("Size"), QString()});
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(40);
    m_table->setShowGrid(false);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->setIconSize(QSize(28, 28));
    m_table->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    m_table->setColumnWidth(kCheckColumn, 40);
    m_table->setColumnWidth(kVersionColumn, 140);
    m_table->setColumnWidth(kSizeColumn, 100);
    m_table->setColumnWidth(kTrashColumn, 44);
    HeaderWidths::fitTitles(m_table->horizontalHeader());
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->setItemDelegateForColumn(kSizeColumn, new SizeDelegate(this));
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &UninstallViewController::headerClicked);
    connect(m_table, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == kCheckColumn)
            clickButtonAction(row);
        else if (column == kTrashColumn)
            oneAppRemove(row);
    });

    m_count = new QLabel;
    m_count->setObjectName(QStringLiteral("countLabel"));
    m_count->setTextFormat(Qt::RichText);
    m_selectAll = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Select all"),
                                              QStringLiteral("selectAllButton"));
    connect(m_selectAll, &ImageButton::clicked, this,
            &UninstallViewController::selectAllButtonAction);
    m_uninstall = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Uninstall"),
                                              QStringLiteral("uninstallButton"));
    connect(m_uninstall, &ImageButton::clicked, this,
            &UninstallViewController::uninstallAppButtonAction);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_count, 1);
    bottom->addWidget(m_selectAll);
    bottom->addWidget(m_uninstall);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addLayout(header);
    layout->addLayout(tools);
    layout->addWidget(m_table, 1);
    layout->addLayout(bottom);

    connect(&m_scan, &QFutureWatcher<void>::finished, this, [this] {
        m_isScan = false;
        m_tabs->setEnabled(true);
        m_refresh->setEnabled(true);
        m_showListArr = filtered();
        reloadTable();
        setHeaderTitle();
        changeSelectAllButtonState();
        emit scanFinished();
    });
    changeSelectAllButtonState();
    getApplications();
}

UninstallViewController::~UninstallViewController() {
    m_scan.waitForFinished();
}

void UninstallViewController::getApplications() {
    if (m_isScan)
        return;
    m_tabs->setEnabled(false);
    m_refresh->setEnabled(false);
    m_isScan = true;
    // The lists are filled on the worker and read only once it has finished.
    m_scan.setFuture(QtConcurrent::run([this, catalog = m_catalog] {
        for (int tab = 0; tab < 3; ++tab) {
            m_selected[tab].clear();
            m_lists[tab] = catalog->scan(tab);
        }
    }));
}

void UninstallViewController::refButtonAction() {
    if (m_isScan)
        return;
    m_search->blockSignals(true);
    m_search->clear();
    m_search->blockSignals(false);
    m_showListArr.clear();
    reloadTable();
    getApplications();
}

void UninstallViewController::segmentSelectWithIndex(int index) {
    if (!m_tabs->isEnabled() || index < 0 || index > 2)
        return;
    m_tabs->setSelectedIndex(index);
    m_search->blockSignals(true);
    m_search->clear();
    m_search->blockSignals(false);
    m_appsType = index;
    m_showListArr = m_lists[index];
    m_sortedColumn = -1;
    m_table->horizontalHeader()->setSortIndicatorShown(false);
    setHeaderTitle();
    reloadTable();
    changeSelectAllButtonState();
}

QList<AMAppItemPtr> UninstallViewController::filtered() const {
    const QString text = m_search->text().toLower();
    if (text.isEmpty())
        return m_lists[m_appsType];
    QList<AMAppItemPtr> shown;
    for (const AMAppItemPtr& item : m_lists[m_appsType])
        if (item->name.toLower().contains(text))
            shown << item;
    return shown;
}

void UninstallViewController::controlTextDidChange(const QString&) {
    if (m_isScan)
        return;
    m_showListArr = filtered();
    setHeaderTitle();
    reloadTable();
    changeSelectAllButtonState();
}

void UninstallViewController::closeSearchButton() {
    m_search->clear(); // textChanged restores the full list
}

void UninstallViewController::setHeaderTitle() {
    const int n = int(m_showListArr.size());
    m_table->horizontalHeaderItem(kNameColumn)
        ->setText(m_appsType == 0 ? tr("   Applications (total: %n)", nullptr, n)
                                  : tr("   Items (total: %n)", nullptr, n));
}

void UninstallViewController::reloadTable() {
    const QList<AMAppItemPtr>& selection = m_selected[m_appsType];
    m_table->setRowCount(int(m_showListArr.size()));
    for (int row = 0; row < m_showListArr.size(); ++row) {
        const AMAppItem& item = *m_showListArr[row];
        auto* check = new QTableWidgetItem(Images::icon(selection.contains(m_showListArr[row])
                                                            ? QStringLiteral("checkbox_yes")
                                                            : QStringLiteral("checkbox_no")),
                                           QString());
        m_table->setItem(row, kCheckColumn, check);
        auto* name = new QTableWidgetItem(
            iconFor(item),
            item.bundleID.isEmpty() ? item.name : item.name + QLatin1Char('\n') + item.bundleID);
        // A kept item (a plug-in of a package) says so, and why, instead of offering removal.
        const bool kept = !item.keptReason.isEmpty();
        name->setToolTip(kept ? item.path + QLatin1Char('\n') + item.keptReason : item.path);
        m_table->setItem(row, kNameColumn, name);
        auto* version = new QTableWidgetItem(kept ? tr("Kept") : item.bundleVersion);
        version->setToolTip(item.keptReason);
        version->setForeground(QColor(255, 255, 255, 153));
        m_table->setItem(row, kVersionColumn, version);
        m_table->setItem(row, kSizeColumn, new QTableWidgetItem(item.size));
        auto* trash = new QTableWidgetItem(
            kept ? QIcon() : Images::icon(QStringLiteral("ic_trash")), QString());
        trash->setToolTip(kept ? item.keptReason : tr("Uninstall %1").arg(item.name));
        m_table->setItem(row, kTrashColumn, trash);
    }
}

void UninstallViewController::needSize(int row) {
    if (row < 0 || row >= m_showListArr.size() || m_showListArr[row]->bIsGetSize)
        return;
    AMAppItemPtr item = m_showListArr[row];
    item->bIsGetSize = true;
    QPointer<UninstallViewController> self(this);
    QThreadPool::globalInstance()->start([self, item] {
        const quint64 bytes = AppCatalog::sizeBytesOf(*item);
        const QString size = CommUti::convertVolSpace(bytes);
        QMetaObject::invokeMethod(
            self,
            [self, item, size, bytes] {
                if (!self)
                    return;
                item->size = size;
                item->sizeBytes = bytes;
                const int at = int(self->m_showListArr.indexOf(item));
                if (at >= 0)
                    if (QTableWidgetItem* cell = self->m_table->item(at, kSizeColumn))
                        cell->setText(size);
            },
            Qt::QueuedConnection);
    });
}

void UninstallViewController::changeSelectAllButtonState() {
    const qsizetype k = m_selected[m_appsType].size();
    const qsizetype n = m_showListArr.size();
    m_uninstall->setEnabled(k > 0 && !m_running);
    if (k > 0) {
        m_selectAll->setText(k < n ? tr("Select all") : tr("Unselect all"));
        m_count->setText(tr("Selected: %1 of %n items", nullptr, int(n))
                             .arg(QStringLiteral("<b style=\"font-size:14pt\">%1</b>").arg(k)));
    } else {
        m_selectAll->setText(tr("Select all"));
        m_count->setText(tr("Total: %n items", nullptr, int(n)));
    }
}

void UninstallViewController::selectAllButtonAction() {
    QList<AMAppItemPtr>& selection = m_selected[m_appsType];
    const qsizetype k = selection.size();
    selection.clear();
    if (k != m_showListArr.size())
        selection = m_showListArr;
    reloadTable();
    changeSelectAllButtonState();
}

void UninstallViewController::clickButtonAction(int row) {
    if (m_isScan || row < 0 || row >= m_showListArr.size())
        return;
    QList<AMAppItemPtr>& selection = m_selected[m_appsType];
    const AMAppItemPtr& item = m_showListArr[row];
    if (!selection.removeOne(item))
        selection.append(item);
    m_table->item(row, kCheckColumn)
        ->setIcon(Images::icon(selection.contains(item) ? QStringLiteral("checkbox_yes")
                                                        : QStringLiteral("checkbox_no")));
    changeSelectAllButtonState();
}

void UninstallViewController::sortShown(int key, bool descending) {
    auto bytes = [](const AMAppItemPtr& item) { return qint64(item->sizeBytes); };
    std::stable_sort(m_showListArr.begin(), m_showListArr.end(),
                     [&](const AMAppItemPtr& a, const AMAppItemPtr& b) {
                         if (key == 0)
                             return descending ? b->name < a->name : a->name < b->name;
                         return descending ? bytes(b) < bytes(a) : bytes(a) < bytes(b);
                     });
}

void UninstallViewController::selectSortbyType(int sortType, int sortAD) {
    m_sortType = sortType;
    m_sortAD = sortAD;
    sortShown(sortType, sortAD != 0);
    reloadTable();
}

void UninstallViewController::headerClicked(int column) {
    if (m_isScan || (column != kSizeColumn && column != kNameColumn))
        return;
    const bool descending = !m_isSort;
    sortShown(column == kNameColumn ? 0 : 1, descending);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSortIndicator(column, descending ? Qt::DescendingOrder
                                                                     : Qt::AscendingOrder);
    m_sortedColumn = column;
    m_isSort = !m_isSort;
    reloadTable();
}

void UninstallViewController::uninstallAppButtonAction() {
    if (m_isScan || m_running)
        return;
    showConfirmation(m_selected[m_appsType]);
}

void UninstallViewController::oneAppRemove(int row) {
    if (m_isScan || m_running || row < 0 || row >= m_showListArr.size())
        return;
    showConfirmation({m_showListArr[row]});
}

void UninstallViewController::showConfirmation(const QList<AMAppItemPtr>& apps) {
    if (m_removal)
        return;
    QList<QList<AMAppItemPtr>> groups;
    for (const AMAppItemPtr& app : apps)
        groups << m_catalog->relatedFiles(app);
    m_handedOver = apps;
    // The package manager is asked (a simulation) on the runner's worker: the window answers
    // meanwhile, and the question follows the plan.
    m_removal = std::make_shared<UninstallOperation>(groups, m_catalog->folders(),
                                                     UninstallOperation::Options());
    if (!m_runner->plan(m_removal))
        m_removal.reset();
}

void UninstallViewController::planned(const DestructiveOperation::Plan& plan) {
    if (!m_removal)
        return;
    auto* confirm =
        new MakeSureUninstallViewController(m_removal->groups(), m_removal->refusedByPath(),
                                            m_removal->packages(), m_catalog->folders().home());
    QList<AMAppItemPtr> chosen;
    bool erase = false;
    connect(confirm, &MakeSureUninstallViewController::uninstallChosen, this,
            [&chosen, &erase, confirm](const QList<AMAppItemPtr>& items) {
                chosen = items;
                erase = confirm->eraseSecurely();
            });
    if (AttachedWindow::run(confirm, this) != QDialog::Accepted || chosen.isEmpty()) {
        m_removal.reset();
        return;
    }
    m_removal->setChosen(chosen);
    m_removal->setEraseSecurely(erase);
    QTimer::singleShot(500, this, [this, plan] { startRun(plan); });
}

void UninstallViewController::startRun(const DestructiveOperation::Plan& plan) {
    m_running = true;
    if (m_owner)
        m_owner->canChangeType(false);
    changeSelectAllButtonState();
    auto* view = new UninstallProgressViewController;
    m_progress = view;
    connect(view, &UninstallProgressViewController::uninstallEnd, this,
            [this] { completeCleanRelatedFiles(m_lastReport); });
    AttachedWindow* window = AttachedWindow::present(view, this);
    window->setClosableByEscape(false);
    emit removalStarted(view);
    m_runner->run(
        plan, DestructiveOperation::Consents().give(DestructiveOperation::Consent::Irreversible));
}

void UninstallViewController::completeCleanRelatedFiles(const UninstallReport& report) {
    m_running = false;
    if (m_owner)
        m_owner->canChangeType(true);
    // Only what really went leaves the catalogue; an application whose removal failed stays.
    QSet<QString> removed;
    for (const AMAppItemPtr& item : report.removed)
        removed.insert(item->path);
    for (const AMAppItemPtr& app : m_handedOver) {
        if (!removed.contains(app->path))
            continue;
        m_lists[m_appsType].removeOne(app);
        m_selected[m_appsType].removeOne(app);
    }
    m_handedOver.clear();
    m_showListArr = m_lists[m_appsType];
    setHeaderTitle();
    reloadTable();
    changeSelectAllButtonState();
    emit removalFinished();
}

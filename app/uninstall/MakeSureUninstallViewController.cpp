#include "app/uninstall/MakeSureUninstallViewController.h"

#include "app/ui/HeaderWidths.h"

#include "app/Comm/CommUti.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kName = 0, kSize = 1, kCheck = 2;
constexpr int kGroupRole = Qt::UserRole + 1, kItemRole = Qt::UserRole + 2;
} // namespace

MakeSureUninstallViewController::MakeSureUninstallViewController(
    const QList<QList<AMAppItemPtr>>& groups, const QHash<QString, QString>& refusals,
    const QHash<QString, QStringList>& packages, const QString& home, QWidget* parent)
    : QWidget(parent), m_allRelaltedFiles(groups) {
    setObjectName(QStringLiteral("MakeSureUninstallViewController"));
    setFixedSize(600, 460);
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("ic_warning"),
                                              tr("Remove these applications?"));
    layout->addWidget(FileEraserViewParts::paragraph(
        tr("The selected items are removed from the disk, not moved to the Trash. Files in the "
           "Downloads folder are not selected: they are often your own."),
        QStringLiteral("introText")));
    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("relatedTree"));
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels({tr("Name"), tr("Size"), QString()});
    m_tree->header()->setSectionResizeMode(kName, QHeaderView::Stretch);
    m_tree->header()->resizeSection(kSize, 90);
    m_tree->header()->resizeSection(kCheck, 40);
    m_tree->header()->setStretchLastSection(false);
    HeaderWidths::fitTitles(m_tree->header());
    m_tree->setIconSize(QSize(18, 18));
    m_tree->setTextElideMode(Qt::ElideMiddle);

    for (int g = 0; g < groups.size(); ++g) {
        const QList<AMAppItemPtr>& group = groups[g];
        if (group.isEmpty())
            continue;
        const AMAppItemPtr& app = group.first();
        auto* top = new QTreeWidgetItem(m_tree);
        top->setData(kName, kGroupRole, g);
        QString title = app->name;
        if (const auto refusal = refusals.constFind(app->path); refusal != refusals.constEnd()) {
            title += QStringLiteral(" — ") + *refusal;
            for (const AMAppItemPtr& item : group)
                m_locked.insert(item.get());
        } else if (const auto list = packages.constFind(app->path);
                   list != packages.constEnd() && !list->isEmpty()) {
            title += QStringLiteral(" (%1)").arg(list->join(QStringLiteral(", ")));
        }
        top->setText(kName, title);
        top->setToolTip(kName, title);
        quint64 total = 0;
        for (int i = 0; i < group.size(); ++i) {
            const AMAppItemPtr& item = group[i];
            total += item->sizeBytes;
            auto* row = new QTreeWidgetItem(top);
            row->setData(kName, kGroupRole, g);
            row->setData(kName, kItemRole, i);
            QString shown = item->path;
            if (!home.isEmpty() && item->path.startsWith(home + QLatin1Char('/')))
                shown = QStringLiteral("~") + item->path.mid(home.size());
            row->setText(kName, i == 0 ? item->name : shown);
            row->setToolTip(kName, item->path);
            row->setText(kSize, item->size);
            if (!item->startsUnselected && !m_locked.contains(item.get()))
                m_selectDeletePath.insert(item.get());
        }
        top->setText(kSize, CommUti::convertVolSpace(total));
    }
    if (m_tree->topLevelItemCount() > 0)
        m_tree->topLevelItem(0)->setExpanded(true);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* row, int column) {
        if (column == kCheck)
            selectRemoveLanguage(row);
    });
    layout->addWidget(m_tree, 1);
    m_eraseSecurely = new QCheckBox(tr("Erase securely: overwrite the related files before "
                                       "removing them (slower)"));
    m_eraseSecurely->setObjectName(QStringLiteral("eraseSecurelyBox"));
    layout->addWidget(m_eraseSecurely);
    m_cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cancel"),
                                           QStringLiteral("cancelButton"));
    m_uninstall = FileEraserViewParts::button(QStringLiteral("btn_danger"), tr("Uninstall"),
                                              QStringLiteral("uninstallButton"));
    connect(m_cancel, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Rejected); });
    connect(m_uninstall, &ImageButton::clicked, this, [this] {
        emit uninstallChosen(selectedRelatedFiles());
        AttachedWindow::dismiss(this, QDialog::Accepted);
    });
    layout->addLayout(FileEraserViewParts::buttonRow({m_cancel, m_uninstall}));
    redraw();
}

QString MakeSureUninstallViewController::checkImage(QTreeWidgetItem* row) const {
    const QList<AMAppItemPtr>& group = m_allRelaltedFiles[row->data(kName, kGroupRole).toInt()];
    if (row->parent() != nullptr)
        return m_selectDeletePath.contains(group[row->data(kName, kItemRole).toInt()].get())
                   ? QStringLiteral("checkbox_yes")
                   : QStringLiteral("checkbox_no");
    int chosen = 0;
    for (const AMAppItemPtr& item : group)
        chosen += m_selectDeletePath.contains(item.get()) ? 1 : 0;
    return chosen == 0              ? QStringLiteral("checkbox_no")
           : chosen == group.size() ? QStringLiteral("checkbox_yes")
                                    : QStringLiteral("checkbox_election");
}

void MakeSureUninstallViewController::selectRemoveLanguage(QTreeWidgetItem* row) {
    const QList<AMAppItemPtr>& group = m_allRelaltedFiles[row->data(kName, kGroupRole).toInt()];
    if (row->parent() == nullptr) {
        bool all = true;
        for (const AMAppItemPtr& item : group)
            all = all && (m_selectDeletePath.contains(item.get()) || m_locked.contains(item.get()));
        for (const AMAppItemPtr& item : group) {
            if (all)
                m_selectDeletePath.remove(item.get());
            else if (!m_locked.contains(item.get()))
                m_selectDeletePath.insert(item.get());
        }
    } else {
        const AMAppItem* item = group[row->data(kName, kItemRole).toInt()].get();
        if (m_selectDeletePath.contains(item))
            m_selectDeletePath.remove(item);
        else if (!m_locked.contains(item))
            m_selectDeletePath.insert(item);
    }
    redraw();
}

void MakeSureUninstallViewController::redraw() {
    for (int t = 0; t < m_tree->topLevelItemCount(); ++t) {
        QTreeWidgetItem* top = m_tree->topLevelItem(t);
        top->setIcon(kCheck, Images::icon(checkImage(top)));
        for (int c = 0; c < top->childCount(); ++c)
            top->child(c)->setIcon(kCheck, Images::icon(checkImage(top->child(c))));
    }
    m_uninstall->setEnabled(!m_selectDeletePath.isEmpty());
}

bool MakeSureUninstallViewController::eraseSecurely() const {
    return m_eraseSecurely->isChecked();
}

QList<AMAppItemPtr> MakeSureUninstallViewController::selectedRelatedFiles() const {
    QList<AMAppItemPtr> chosen;
    for (const QList<AMAppItemPtr>& group : m_allRelaltedFiles)
        for (const AMAppItemPtr& item : group)
            if (m_selectDeletePath.contains(item.get()))
                chosen << item;
    return chosen;
}

#include "app/duplicat/DuplicateResultView.h"

#include "app/ui/HeaderWidths.h"

#include "app/Comm/LocalTimeText.h"

#include "app/Comm/SizeText.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/duplicat/Duplicate/SharedStorage.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Theme.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QString sizeText(std::uint64_t bytes) {
    return SizeText::withTerabytes(qint64(bytes));
}

QString storageNote(const DuplicateGroup& group, const fileAttrbItem& file) {
    if (file.sharesWith < 0)
        return {};
    const QString other = group.files[file.sharesWith]->fileName;
    switch (file.storage) {
    case fileAttrbItem::Storage::HardLink:
        return DuplicateResultView::tr("Hard link of %1").arg(other);
    case fileAttrbItem::Storage::Reflink:
        return DuplicateResultView::tr("Shares its data with %1").arg(other);
    case fileAttrbItem::Storage::SameFile:
        return DuplicateResultView::tr("The same file as %1").arg(other);
    case fileAttrbItem::Storage::Own:
        break;
    }
    return {};
}

QString groupsText(qsizetype n) {
    return DuplicateResultView::tr("%n groups", nullptr, int(n));
}

QString copiesText(qsizetype n) {
    return DuplicateResultView::tr("%n copies", nullptr, int(n));
}

// Paths below the searched folder are shown from there on; the full path is the tool tip.
QString shownPath(const QString& path, const QString& folder) {
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.startsWith(prefix) && path.size() > prefix.size() ? path.mid(prefix.size()) : path;
}

// Whether the copy at INDEX shares its storage with another member of its group.
bool sharesStorage(const DuplicateGroup& group, int index) {
    const int root = DuplicatePick::storageRoot(group, index);
    for (int k = 0; k < group.files.size(); ++k)
        if (k != index && DuplicatePick::storageRoot(group, k) == root)
            return true;
    return false;
}

} // namespace

DuplicateResultView::DuplicateResultView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DuplicateResultView"));
    auto* title = new QLabel(tr("Duplicates"));
    title->setProperty("role", QStringLiteral("title"));
    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("summaryText"));
    m_summary->setProperty("role", QStringLiteral("subtitle"));
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::PlainText);
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(title);
    text->addWidget(m_summary);
    auto* again = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("New search"),
                                              QStringLiteral("newSearchButton"));
    connect(again, &ImageButton::clicked, this, &DuplicateResultView::newSearchRequested);
    auto* header = new QHBoxLayout;
    header->addLayout(text, 1);
    header->addWidget(again, 0, Qt::AlignTop);

    m_keepNewest = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Keep newest"),
                                               QStringLiteral("keepNewestButton"));
    m_keepOldest = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Keep oldest"),
                                               QStringLiteral("keepOldestButton"));
    m_keepInFolder =
        FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Keep the one in folder…"),
                                    QStringLiteral("keepInFolderButton"));
    connect(m_keepNewest, &ImageButton::clicked, this, &DuplicateResultView::keepNewest);
    connect(m_keepOldest, &ImageButton::clicked, this, &DuplicateResultView::keepOldest);
    connect(m_keepInFolder, &ImageButton::clicked, this, [this] { keepInFolder(); });
    auto* helpers = new QHBoxLayout;
    helpers->setSpacing(10);
    helpers->addWidget(m_keepNewest);
    helpers->addWidget(m_keepOldest);
    helpers->addWidget(m_keepInFolder);
    helpers->addStretch(1);

    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("groupTree"));
    m_tree->setColumnCount(4);
    m_tree->setHeaderLabels({tr("Copy"), tr("Size"), tr("Modified"), QString()});
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(kPathColumn, QHeaderView::Stretch);
    m_tree->header()->resizeSection(kSizeColumn, 90);
    HeaderWidths::fitTitles(m_tree->header());
    m_tree->header()->resizeSection(kDateColumn, 130);
    m_tree->header()->resizeSection(kNoteColumn, 190);
    m_tree->setTextElideMode(Qt::ElideMiddle);
    m_tree->setSelectionMode(QAbstractItemView::NoSelection);
    m_tree->setFocusPolicy(Qt::NoFocus);
    connect(m_tree, &QTreeWidget::itemChanged, this, &DuplicateResultView::itemChanged);

    m_notice = new QLabel;
    m_notice->setObjectName(QStringLiteral("noticeText"));
    m_notice->setWordWrap(true);
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::kWarning.name()));
    m_notice->hide();

    m_selection = new QLabel;
    m_selection->setObjectName(QStringLiteral("selectionText"));
    m_selection->setTextFormat(Qt::PlainText);
    auto* methodTitle = new QLabel(tr("Remove by"));
    methodTitle->setProperty("role", QStringLiteral("muted"));
    m_method = new QComboBox;
    m_method->setObjectName(QStringLiteral("methodBox"));
    m_method->addItem(tr("Moving to the Trash"), int(DuplicateDeleteJob::Method::Trash));
    m_method->addItem(tr("Deleting"), int(DuplicateDeleteJob::Method::Remove));
    m_method->addItem(tr("Erasing securely"), int(DuplicateDeleteJob::Method::Erase));
    m_remove = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Remove"),
                                           QStringLiteral("removeButton"));
    connect(m_remove, &ImageButton::clicked, this, [this] {
        if (!planned().isEmpty())
            emit removeRequested();
    });
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(10);
    bottom->addWidget(m_selection, 1);
    bottom->addWidget(methodTitle);
    bottom->addWidget(m_method);
    bottom->addWidget(m_remove);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addLayout(header);
    layout->addLayout(helpers);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_notice);
    layout->addLayout(bottom);
    updateSelection();
}

void DuplicateResultView::setResults(const QString& folder, const QList<DuplicateGroup>& groups,
                                     const QList<QList<AppAttrbItemPtr>>& bundles, bool stopped) {
    m_folder = folder;
    m_stopped = stopped;
    m_groups = groups;
    m_bundles = bundles;
    m_marks.clear();
    for (const DuplicateGroup& group : m_groups)
        m_marks.append(DuplicatePick::Marks(group.files.size(), false));
    m_notice->hide();
    rebuildTree();
}

void DuplicateResultView::forgetRemoved(const DuplicateDeleteJob::Report& report) {
    QSet<const fileAttrbItem*> removed;
    for (const DuplicateDeleteJob::Line& line : report.lines)
        if (line.outcome == DuplicateDeleteJob::Outcome::Removed)
            removed.insert(line.file.get());
    QList<DuplicateGroup> left;
    for (DuplicateGroup group : m_groups) {
        group.files.removeIf(
            [&removed](const fileAttrbItemPtr& file) { return removed.contains(file.get()); });
        if (group.files.size() < 2)
            continue;
        // The shared-storage notes are indices into the group: recompute them.
        SharedStorage::annotate(group.files);
        left.append(group);
    }
    setResults(m_folder, left, m_bundles, m_stopped);
}

void DuplicateResultView::rebuildTree() {
    m_filling = true;
    m_tree->clear();
    std::uint64_t wasted = 0;
    qsizetype copies = 0;
    // The rows are made apart from the tree and handed to it at once: added one by one, each
    // made the tree's model and view update.
    QList<QTreeWidgetItem*> tops;
    tops.reserve(m_groups.size() + m_bundles.size());
    LocalTimeText minutes("%Y-%m-%d %H:%M", 60);
    for (int g = 0; g < m_groups.size(); ++g) {
        const DuplicateGroup& group = m_groups[g];
        wasted += group.wastedBytes();
        copies += group.files.size();
        auto* top = new QTreeWidgetItem;
        tops.append(top);
        top->setFlags(Qt::ItemIsEnabled);
        top->setData(kPathColumn, kGroupRole, g);
        top->setText(kPathColumn, tr("%n copies of %1", nullptr, int(group.files.size()))
                                      .arg(group.files.first()->fileName));
        top->setText(kSizeColumn, sizeText(group.fileSize));
        top->setText(kNoteColumn, tr("%1 wasted").arg(sizeText(group.wastedBytes())));
        QFont bold = top->font(kPathColumn);
        bold.setBold(true);
        top->setFont(kPathColumn, bold);
        for (int i = 0; i < group.files.size(); ++i) {
            const fileAttrbItem& file = *group.files[i];
            auto* row = new QTreeWidgetItem(top);
            row->setData(kPathColumn, kGroupRole, g);
            row->setData(kPathColumn, kFileRole, i);
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            row->setCheckState(kPathColumn, m_marks[g].value(i) ? Qt::Checked : Qt::Unchecked);
            row->setText(kPathColumn, shownPath(file.filePathName, m_folder));
            row->setToolTip(kPathColumn, file.filePathName);
            row->setText(kSizeColumn, sizeText(file.fileSize));
            row->setText(kDateColumn, QString::fromStdString(minutes.of(file.mtimeSec)));
            const QString note = storageNote(group, file);
            row->setText(kNoteColumn, note);
            row->setToolTip(kNoteColumn,
                            note.isEmpty() ? note : note + tr(": removing it frees nothing"));
            if (sharesStorage(group, i))
                row->setForeground(kNoteColumn, Theme::kWarning);
        }
    }
    std::uint64_t bundleWaste = 0;
    for (const QList<AppAttrbItemPtr>& bundles : m_bundles) {
        if (bundles.isEmpty())
            continue;
        const std::uint64_t size = bundles.first()->DirectorySize;
        bundleWaste += std::uint64_t(bundles.size() - 1) * size;
        // Bundles are compared as whole folders; they are listed, never removed from here.
        auto* top = new QTreeWidgetItem;
        tops.append(top);
        top->setFlags(Qt::ItemIsEnabled);
        top->setData(kPathColumn, kGroupRole, -1);
        top->setText(kPathColumn, tr("%n identical bundles of %1", nullptr, int(bundles.size()))
                                      .arg(bundles.first()->DirectoryName));
        top->setText(kSizeColumn, sizeText(size));
        top->setText(kNoteColumn,
                     tr("%1 wasted").arg(sizeText(std::uint64_t(bundles.size() - 1) * size)));
        QFont bold = top->font(kPathColumn);
        bold.setBold(true);
        top->setFont(kPathColumn, bold);
        for (const AppAttrbItemPtr& bundle : bundles) {
            auto* row = new QTreeWidgetItem(top);
            row->setFlags(Qt::ItemIsEnabled);
            row->setText(kPathColumn, shownPath(bundle->DirectoryPathName, m_folder));
            row->setToolTip(kPathColumn, bundle->DirectoryPathName);
            row->setText(kSizeColumn, sizeText(bundle->DirectorySize));
            row->setText(kNoteColumn, tr("Bundle: listed only"));
        }
    }
    m_tree->addTopLevelItems(tops);
    for (QTreeWidgetItem* top : tops)
        top->setExpanded(true);
    m_filling = false;

    QString summary;
    if (m_groups.isEmpty() && m_bundles.isEmpty())
        summary = tr("No duplicates found in %1.").arg(m_folder);
    else
        summary = tr("In %1: %2 of identical files (%3), %4 wasted; %5 of identical "
                     "application bundles, %6 wasted.")
                      .arg(m_folder, groupsText(m_groups.size()), copiesText(copies),
                           sizeText(wasted), groupsText(m_bundles.size()), sizeText(bundleWaste));
    if (m_stopped)
        summary += QLatin1Char(' ') +
                   tr("The search was stopped: these are only the duplicates found until then.");
    m_summary->setText(summary);
    const bool any = !m_groups.isEmpty();
    m_keepNewest->setEnabled(any);
    m_keepOldest->setEnabled(any);
    m_keepInFolder->setEnabled(any);
    updateSelection();
}

void DuplicateResultView::applyMarks(int group) {
    // The groups' rows are the first top-level rows, in group order (bundles follow them).
    // Looking the row up by scanning every top-level row made showing 16,000 groups, and
    // "Keep newest" on them, take over ten seconds.
    QTreeWidgetItem* top =
        group >= 0 && group < m_tree->topLevelItemCount() ? m_tree->topLevelItem(group) : nullptr;
    if (!top || top->data(kPathColumn, kGroupRole).toInt() != group)
        return;
    const bool filling = m_filling;
    m_filling = true;
    for (int i = 0; i < top->childCount(); ++i)
        top->child(i)->setCheckState(kPathColumn,
                                     m_marks[group].value(i) ? Qt::Checked : Qt::Unchecked);
    m_filling = filling;
}

void DuplicateResultView::itemChanged(QTreeWidgetItem* item, int column) {
    if (m_filling || column != kPathColumn || !item->parent())
        return;
    const int group = item->data(kPathColumn, kGroupRole).toInt();
    const int file = item->data(kPathColumn, kFileRole).toInt();
    setMarked(group, file, item->checkState(kPathColumn) == Qt::Checked);
}

bool DuplicateResultView::setMarked(int group, int file, bool marked) {
    if (group < 0 || group >= m_groups.size() || file < 0 || file >= m_groups[group].files.size())
        return false;
    DuplicatePick::Marks wanted = m_marks[group];
    wanted[file] = marked;
    const DuplicatePick::Marks safe = DuplicatePick::sanitize(m_groups[group], wanted);
    const bool accepted = safe.value(file) == marked;
    if (!accepted) {
        const DuplicateGroup& g = m_groups[group];
        showNotice(sharesStorage(g, file)
                       ? tr("%1 shares its storage with a copy that is kept: removing it would "
                            "free nothing.")
                             .arg(g.files[file]->filePathName)
                       : tr("Every group keeps at least one copy: untick another copy of %1 "
                            "first.")
                             .arg(g.files[file]->fileName));
        // The refusal leaves the group as it was.
        applyMarks(group);
        return false;
    }
    m_marks[group] = safe;
    m_notice->hide();
    applyMarks(group);
    updateSelection();
    return true;
}

template <typename Pick> void DuplicateResultView::pickEveryGroup(Pick pick) {
    for (int g = 0; g < m_groups.size(); ++g) {
        m_marks[g] = pick(m_groups[g]);
        applyMarks(g);
    }
    m_notice->hide();
    updateSelection();
}

void DuplicateResultView::keepNewest() {
    pickEveryGroup([](const DuplicateGroup& g) { return DuplicatePick::keepNewest(g); });
}

void DuplicateResultView::keepOldest() {
    pickEveryGroup([](const DuplicateGroup& g) { return DuplicatePick::keepOldest(g); });
}

void DuplicateResultView::keepInFolder(const QString& folder) {
    QString chosen = folder;
    if (chosen.isEmpty())
        chosen =
            QFileDialog::getExistingDirectory(this, tr("Keep the copies in this folder"), m_folder);
    if (chosen.isEmpty())
        return;
    const QString prefix = QDir::cleanPath(chosen) + QLatin1Char('/');
    int untouched = 0;
    for (int g = 0; g < m_groups.size(); ++g) {
        const QList<fileAttrbItemPtr>& files = m_groups[g].files;
        // A group with no copy in the folder keeps the choice made before.
        if (std::none_of(files.cbegin(), files.cend(), [&prefix](const fileAttrbItemPtr& f) {
                return f->filePathName.startsWith(prefix);
            })) {
            ++untouched;
            continue;
        }
        m_marks[g] = DuplicatePick::keepInFolder(m_groups[g], chosen);
        applyMarks(g);
    }
    updateSelection();
    if (untouched > 0)
        showNotice(tr("%1 without a copy in %2: left as chosen before.")
                       .arg(groupsText(untouched), chosen));
    else
        m_notice->hide();
}

QList<DuplicateDeleteJob::Planned> DuplicateResultView::planned() const {
    return DuplicateDeleteJob::plan(m_groups, m_marks);
}

DuplicateDeleteJob::Method DuplicateResultView::method() const {
    return DuplicateDeleteJob::Method(m_method->currentData().toInt());
}

void DuplicateResultView::setMethod(DuplicateDeleteJob::Method method) {
    m_method->setCurrentIndex(m_method->findData(int(method)));
}

void DuplicateResultView::updateSelection() {
    const QList<DuplicateDeleteJob::Planned> plan = planned();
    std::uint64_t frees = 0;
    for (const DuplicateDeleteJob::Planned& p : plan)
        frees += p.file->links <= 1 ? p.file->fileSize : 0;
    m_selection->setText(
        plan.isEmpty() ? tr("No copies chosen")
                       : tr("%1 chosen, %2 to free").arg(copiesText(plan.size()), sizeText(frees)));
    m_remove->setEnabled(!plan.isEmpty());
}

void DuplicateResultView::showNotice(const QString& text) {
    m_notice->setText(text);
    m_notice->show();
}

#include "app/Main/FileEraser/FileEraserListView.h"

#include "app/Comm/PublicUtilities.h"
#include "app/Main/DragView.h"
#include "app/Main/FileEraser/FileEraserTableModel.h"
#include "app/ui/ImageButton.h"

#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Space toggles the check box of the current row, as it would for a check box.
class ItemTable : public QTableView {
public:
    using QTableView::QTableView;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        auto* model = qobject_cast<FileEraserTableModel*>(this->model());
        if (event->key() == Qt::Key_Space && model && currentIndex().isValid()) {
            model->toggle(currentIndex().row());
            return;
        }
        QTableView::keyPressEvent(event);
    }
};

} // namespace

FileEraserListView::FileEraserListView(FileEraserTableModel* model, QWidget* parent)
    : QWidget(parent), m_model(model) {
    setObjectName(QStringLiteral("FileEraserListView"));
    setAcceptDrops(true);

    m_selectAll = new ImageButton(QStringLiteral("checkbox_yes"), tr("Select All"));
    m_selectAll->setObjectName(QStringLiteral("selectAllButton"));
    m_selectAll->setLayout(ImageButton::Layout::Leading);
    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("summaryLabel"));
    m_summary->setProperty("role", QStringLiteral("muted"));
    m_sort = toolButton(QStringLiteral("btn_sec"), tr("Sort"), QStringLiteral("sortButton"));
    m_add = toolButton(QStringLiteral("btn_sec"), tr("Add…"), QStringLiteral("addButton"));
    m_empty =
        toolButton(QStringLiteral("btn_sec"), tr("Empty List"), QStringLiteral("emptyButton"));

    auto* bar = new QHBoxLayout;
    bar->setSpacing(8);
    bar->addWidget(m_selectAll);
    bar->addSpacing(10);
    bar->addWidget(m_summary, 1);
    bar->addWidget(m_sort);
    bar->addWidget(m_add);
    bar->addWidget(m_empty);

    m_table = new ItemTable;
    m_table->setObjectName(QStringLiteral("fileTable"));
    m_table->setModel(model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setShowGrid(false);
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideMiddle);
    m_table->setIconSize(QSize(18, 18));
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(30);
    m_table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView* header = m_table->horizontalHeader();
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(FileEraserTableModel::Check, QHeaderView::Fixed);
    header->resizeSection(FileEraserTableModel::Check, 36);
    header->resizeSection(FileEraserTableModel::Name, 210);
    header->resizeSection(FileEraserTableModel::Type, 70);
    header->resizeSection(FileEraserTableModel::Size, 90);
    header->setStretchLastSection(true);
    connect(m_table, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == FileEraserTableModel::Check)
            m_model->toggle(index.row());
    });
    connect(m_table, &QTableView::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex index = m_table->indexAt(pos);
        if (index.isValid())
            emit rowMenuRequested(index.row(), m_table->viewport()->mapToGlobal(pos));
    });

    m_erase = new ImageButton(QStringLiteral("btn_main"), tr("Erase Now"));
    m_erase->setObjectName(QStringLiteral("eraseNowButton"));
    m_erase->setFixedSize(150, 40);
    m_erase->setTextSize(14);
    m_erase->setBoldText(true);
    m_erase->setFocusPolicy(Qt::StrongFocus);
    auto* bottom = new QHBoxLayout;
    auto* hint = new QLabel(tr("Drop more files here to add them."));
    hint->setProperty("role", QStringLiteral("muted"));
    bottom->addWidget(hint, 1);
    bottom->addWidget(m_erase);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 4, 24, 20);
    layout->setSpacing(12);
    layout->addLayout(bar);
    layout->addWidget(m_table, 1);
    layout->addLayout(bottom);
}

ImageButton* FileEraserListView::toolButton(const QString& imageSet, const QString& text,
                                            const QString& name) {
    auto* button = new ImageButton(imageSet, text);
    button->setObjectName(name);
    button->setFixedSize(qMax(76, button->fontMetrics().horizontalAdvance(text) + 36), 30);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

void FileEraserListView::refresh(bool allSelected, int selectedCount, int totalCount,
                                 qint64 selectedBytes) {
    m_selectAll->setImageName(allSelected ? QStringLiteral("checkbox_yes")
                                          : QStringLiteral("checkbox_no"));
    QString summary = tr("%1 of %n items selected", nullptr, totalCount).arg(selectedCount);
    if (selectedBytes > 0)
        summary += QStringLiteral(" · ") + PublicUtilities::longlongDiskSize(selectedBytes);
    m_summary->setText(summary);
    m_erase->setEnabled(selectedCount > 0);
}

void FileEraserListView::dragEnterEvent(QDragEnterEvent* event) {
    if (m_accepting && !DragView::localPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void FileEraserListView::dragMoveEvent(QDragMoveEvent* event) {
    if (m_accepting)
        event->acceptProposedAction();
}

void FileEraserListView::dropEvent(QDropEvent* event) {
    const QStringList paths = DragView::localPaths(event->mimeData());
    if (!m_accepting || paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit pathsDropped(paths);
}

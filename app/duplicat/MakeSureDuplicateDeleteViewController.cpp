#include "app/duplicat/MakeSureDuplicateDeleteViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

MakeSureDuplicateDeleteViewController::MakeSureDuplicateDeleteViewController(
    const QList<DuplicateDeleteJob::Planned>& planned, DuplicateDeleteJob::Method method,
    QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("MakeSureDuplicateDeleteViewController"));
    setFixedSize(560, 400);
    const qsizetype n = planned.size();
    const QString copies = tr("%n copies", nullptr, int(n));
    QString title, action;
    switch (method) {
    case DuplicateDeleteJob::Method::Trash:
        title = tr("Move %1 to the Trash?").arg(copies);
        action = tr("Move to Trash");
        break;
    case DuplicateDeleteJob::Method::Remove:
        title = tr("Delete %1?").arg(copies);
        action = tr("Delete");
        break;
    case DuplicateDeleteJob::Method::Erase:
        title = tr("Erase %1 securely?").arg(copies);
        action = tr("Erase");
        break;
    }
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("ic_warning"), title);
    layout->addWidget(FileEraserViewParts::paragraph(
        tr("Each copy is first compared byte for byte with the copy kept in its place; a copy "
           "that differs, or changed since the search, is left alone."),
        QStringLiteral("introText")));
    if (method == DuplicateDeleteJob::Method::Remove)
        layout->addWidget(FileEraserViewParts::warningLine(
            tr("Deleted copies do not go to the Trash and cannot be brought back.")));
    else if (method == DuplicateDeleteJob::Method::Erase)
        layout->addWidget(FileEraserViewParts::warningLine(
            tr("Erased copies are overwritten before they are removed and can never be brought "
               "back.")));

    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("copyList"));
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setTextElideMode(Qt::ElideMiddle);
    for (const DuplicateDeleteJob::Planned& p : planned) {
        auto* row = new QListWidgetItem(p.file->filePathName, m_list);
        row->setToolTip(tr("%1\nkeeping %2").arg(p.file->filePathName, p.reference->filePathName));
    }
    layout->addWidget(m_list, 1);

    m_cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cancel"),
                                           QStringLiteral("cancelButton"));
    m_delete = FileEraserViewParts::button(method == DuplicateDeleteJob::Method::Trash
                                               ? QStringLiteral("btn_main")
                                               : QStringLiteral("btn_danger"),
                                           action, QStringLiteral("deleteButton"));
    connect(m_cancel, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Rejected); });
    connect(m_delete, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Accepted); });
    layout->addLayout(FileEraserViewParts::buttonRow({m_cancel, m_delete}));
}

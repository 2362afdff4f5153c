#include "app/Main/FileEraser/FileEraserSortVC.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    label->setProperty("role", QStringLiteral("muted"));
    return label;
}
} // namespace

FileEraserSortVC::FileEraserSortVC(int sortType, int sortAD, QWidget* parent)
    : QFrame(parent, Qt::Popup) {
    setObjectName(QStringLiteral("FileEraserSortVC"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);

    byName = new QRadioButton(tr("Name"));
    byName->setObjectName(QStringLiteral("sortByName"));
    bySize = new QRadioButton(tr("Size"));
    bySize->setObjectName(QStringLiteral("sortBySize"));
    ascending = new QRadioButton(tr("Ascending"));
    ascending->setObjectName(QStringLiteral("sortAscending"));
    descending = new QRadioButton(tr("Descending"));
    descending->setObjectName(QStringLiteral("sortDescending"));
    (sortType == 0 ? byName : bySize)->setChecked(true);
    (sortAD == 0 ? ascending : descending)->setChecked(true);

    auto* keys = new QButtonGroup(this);
    keys->addButton(byName);
    keys->addButton(bySize);
    auto* order = new QButtonGroup(this);
    order->addButton(ascending);
    order->addButton(descending);
    for (QRadioButton* button : {byName, bySize, ascending, descending})
        connect(button, &QRadioButton::clicked, this, &FileEraserSortVC::report);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 12);
    layout->setSpacing(4);
    layout->addWidget(heading(tr("Sort by")));
    layout->addWidget(byName);
    layout->addWidget(bySize);
    layout->addSpacing(6);
    layout->addWidget(heading(tr("Order")));
    layout->addWidget(ascending);
    layout->addWidget(descending);
}

void FileEraserSortVC::popUp(QWidget* anchor) {
    adjustSize();
    const QPoint below = anchor->mapToGlobal(QPoint(anchor->width(), anchor->height() + 4));
    move(below.x() - width(), below.y());
    show();
}

void FileEraserSortVC::report() {
    emit sortChosen(byName->isChecked() ? 0 : 1, ascending->isChecked() ? 0 : 1);
}

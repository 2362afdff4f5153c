#include "app/Main/ModuleListView.h"

#include "app/ui/Images.h"
#include "app/ui/Theme.h"

ModuleListView::ModuleListView(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("ModuleList"));
    setIconSize(QSize(20, 20));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setSpacing(0);
    for (const ModuleInfo& module : ModuleCatalog::all()) {
        auto* item = new QListWidgetItem(Images::icon(module.iconName), module.title, this);
        item->setSizeHint(QSize(0, 44));
        item->setToolTip(module.summary);
    }
    setCurrentRow(0);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit moduleChosen(row);
    });
}

void ModuleListView::setLocked(bool locked) {
    m_locked = locked;
    // A disabled list takes no clicks or keys and draws itself greyed by the style sheet.
    setEnabled(!locked);
}

bool ModuleListView::selectModule(int row) {
    if (m_locked || row < 0 || row >= count())
        return false;
    setCurrentRow(row);
    return true;
}

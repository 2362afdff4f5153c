#include "app/ui/HeaderWidths.h"

#include <QAbstractItemModel>
#include <QHeaderView>

void HeaderWidths::fitTitles(QHeaderView* header) {
    const QAbstractItemModel* model = header->model();
    if (!model)
        return;
    // The style's padding around a title, and room for the sort arrow.
    constexpr int kPadding = 28;
    for (int section = 0; section < header->count(); ++section) {
        if (header->sectionResizeMode(section) == QHeaderView::Stretch)
            continue;
        const QString title = model->headerData(section, header->orientation()).toString();
        if (title.isEmpty())
            continue;
        const int needed = header->fontMetrics().horizontalAdvance(title) + kPadding;
        if (header->sectionSize(section) < needed)
            header->resizeSection(section, needed);
    }
}

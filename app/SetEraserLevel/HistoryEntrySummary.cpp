#include "app/SetEraserLevel/HistoryEntrySummary.h"

#include "app/Comm/SizeText.h"
#include "app/inter/DoDataBase.h"

#include <QCoreApplication>

HistoryEntrySummary::HistoryEntrySummary(const QStringList& types, const HistoryRecords& records,
                                         qint64 bytes)
    : m_bytes(bytes) {
    QString firstItem;
    for (const HistoryRecord& record : records) {
        if (record.isHeader())
            continue;
        if (m_items++ == 0)
            firstItem = record.items;
        // Only "Erased" is success; whatever else a line says, its item was not erased.
        if (record.result != QLatin1String("Erased"))
            ++m_failed;
    }
    // A volume wipe is told apart by its line, as the module wrote it.
    if (types.contains(DoDataBase::kTypeUninstall))
        m_module = tr("Uninstaller");
    else if (types.contains(DoDataBase::kTypeDuplicates))
        m_module = tr("Duplicate Finder");
    else if (types.contains(DoDataBase::kTypeWipeVolume))
        m_module = firstItem.startsWith(QLatin1String("Erase Free Space:"))
                       ? tr("Erase Free Space")
                       : tr("Erase Hard Drive");
    else
        m_module = tr("Erase Files");
}

QString HistoryEntrySummary::outcome() const {
    if (m_failed == 0)
        return tr("Erased");
    if (m_failed == m_items)
        return tr("Failed");
    return tr("%1 of %n failed", nullptr, m_items).arg(m_failed);
}

QString HistoryEntrySummary::items() const {
    return tr("%n item(s)", nullptr, m_items);
}

QString HistoryEntrySummary::itemsAndSize() const {
    if (m_bytes < 0)
        return items();
    return tr("%1, %2").arg(items(), SizeText::shownWithTerabytes(m_bytes));
}

#pragma once

#include "app/inter/HistoryRecord.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What an entry of the history says in one row, before it is opened: the module that made it,
// how it ended and how many items it holds.
class HistoryEntrySummary {
    Q_DECLARE_TR_FUNCTIONS(HistoryEntrySummary)

public:
    // BYTES: what the entry erased, as its facts say (DoDataBase::readSizes); -1 when unknown.
    HistoryEntrySummary(const QStringList& types, const HistoryRecords& records, qint64 bytes = -1);

    // "Erase Files", "Erase Free Space", "Erase Hard Drive", "Uninstaller", "Duplicate Finder".
    QString module() const { return m_module; }
    // "Erased", "Failed", or "1 of 3 failed".
    QString outcome() const;
    // "1 item", "3 items".
    QString items() const;
    // "3 items, 1.20 MB"; only the items when the size is not known.
    QString itemsAndSize() const;
    int itemCount() const { return m_items; }
    int failedCount() const { return m_failed; }

private:
    QString m_module;
    int m_items = 0;
    int m_failed = 0;
    qint64 m_bytes = -1;
};

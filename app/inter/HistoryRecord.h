#pragma once

#include <QList>
#include <QMap>
#include <QString>

// One line of a history entry as read back: "Items", "Erasure Standard" and "Result".
struct HistoryRecord {
    QString items;           // a path, a volume description, or "Items" on the header line
    QString erasureStandard; // display name of the standard in force at the time of the write
    QString result;          // "Erased", "Failed", or "Result" on the header line

    static inline const QString kHeaderItems = QStringLiteral("Items");
    static inline const QString kHeaderStandard = QStringLiteral("Erasure Standard");
    static inline const QString kHeaderResult = QStringLiteral("Result");

    // Every entry starts with a column-title line; readers recognise it by its "Items" value.
    bool isHeader() const { return items == kHeaderItems; }

    friend bool operator==(const HistoryRecord&, const HistoryRecord&) = default;
};

using HistoryRecords = QList<HistoryRecord>;
// The whole history: each entry's key ("yyyy-MM-dd HH-mm-ss") to its lines, header line first.
// Ascending by key; viewers list it newest first.
using HistoryData = QMap<QString, HistoryRecords>;

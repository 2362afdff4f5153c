#pragma once

#include "app/uninstall/AMAppItem.h"

#include <QList>
#include <QString>
#include <QtGlobal>

// What a removal run did: which items went and which stayed (with why), and the space freed.
class UninstallReport {
public:
    struct Failure {
        AMAppItemPtr item;
        QString reason;
    };

    QList<AMAppItemPtr> removed;
    QList<Failure> failed;
    quint64 freedBytes = 0;

    bool allRemoved() const { return failed.isEmpty(); }
    // Files of the removed applications that their removal leaves (AMAppItem::keptFiles).
    QStringList keptFiles() const;
    // The end message: the success text only when everything went and nothing of the
    // applications stays; otherwise how many stayed, which, and what the rest freed.
    QString message(int listed = 5) const;
    // "12.35": bytes in megabytes (1,000,000), two decimals.
    static QString megabytes(quint64 bytes);

    static inline const QString kSuccess =
        QStringLiteral("Korvane Data Eraser has successfully removed the selected application(s) "
                       "and all associated files. Free up %1 MB disk space.");
};

#pragma once

#include "app/Job/DestructiveOperation.h"

#include <QString>
#include <QWidget>

// The end of a drive wipe, from its report: one line per drive with its outcome and the job's
// detail ("67108864 of 67108864 bytes read back and found as written", or why it failed), what
// the run as a whole could not do, its notes, and whether the history took the entry.
class WipeDriveEndViewController : public QWidget {
    Q_OBJECT
public:
    // HISTORYPROBLEM: why the history did not take the entry, when it did not.
    WipeDriveEndViewController(const DestructiveOperation::Report& report,
                               const QString& historyProblem, QWidget* parent = nullptr);

    // "Erased", "Failed", "Stopped part-way"... for an item's outcome.
    static QString outcomeText(DestructiveOperation::Outcome outcome);
};

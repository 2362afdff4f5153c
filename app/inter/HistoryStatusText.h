#pragma once

#include "app/inter/HistoryStatus.h"

#include <QCoreApplication>
#include <QString>

// Why an operation on the erasure history did not happen, in the user's language, for the window
// and the command line ("… is locked by another program (database is locked)"). The log keeps
// HistoryStatus::reason(), in English.
class HistoryStatusText {
    Q_DECLARE_TR_FUNCTIONS(HistoryStatusText)

public:
    // Empty for a status that is Ok.
    static QString reason(const HistoryStatus& status);
};

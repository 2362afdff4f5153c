#pragma once

#include "app/Job/DestructiveOperation.h"
#include <QCoreApplication>

class DoDataBase;

// Deleting history entries behind the operation contract: chosen entries by key, or every
// entry ("clear"). The plan reads the history (and changes nothing): the entries found, each
// key not found refused; the run deletes exactly the planned entries in one transaction, all or
// none.
class DeleteHistoryOperation : public DestructiveOperation {
    Q_DECLARE_TR_FUNCTIONS(DeleteHistoryOperation)

public:
    // Deletes KEYS from HISTORY; with no KEYS, every entry.
    DeleteHistoryOperation(DoDataBase& history, QStringList keys);

    Kind kind() const override {
        return m_keys.isEmpty() ? Kind::ClearHistory : Kind::DeleteHistory;
    }
    Plan plan(const StopToken& stop, const ProgressSink& progress) override;
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override;

private:
    DoDataBase& m_history;
    QStringList m_keys;
};

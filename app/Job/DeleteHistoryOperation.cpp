#include "app/Job/DeleteHistoryOperation.h"

#include "app/inter/DoDataBase.h"

DeleteHistoryOperation::DeleteHistoryOperation(DoDataBase& history, QStringList keys)
    : m_history(history), m_keys(std::move(keys)) {}

DestructiveOperation::Plan DeleteHistoryOperation::plan(const StopToken&, const ProgressSink&) {
    Plan plan;
    plan.kind = kind();
    const HistoryResult<DoDataBase::HistoryTypes> read = m_history.readTypes();
    if (!read.ok()) {
        plan.refusals.append({QString(), Refusal::Failed, read.status.reason()});
        return plan;
    }
    if (m_keys.isEmpty()) {
        plan.items = read.value.keys();
    } else {
        for (const QString& key : m_keys) {
            if (plan.items.contains(key))
                continue;
            if (read.value.contains(key))
                plan.items << key;
            else
                plan.refusals.append(
                    {key, Refusal::Missing, tr("no history entry \"%1\"").arg(key)});
        }
    }
    plan.entries = plan.items.size();
    if (!plan.items.isEmpty())
        plan.consents.append({Consent::Irreversible, QString(), QString()});
    return plan;
}

DestructiveOperation::Report DeleteHistoryOperation::run(const Plan& plan, const Consents& consents,
                                                         const StopToken& stop,
                                                         const ProgressSink&) {
    if (auto early =
            refuseToBegin(plan, consents, stop, ConsentRule::Every, tr("Nothing was deleted.")))
        return *early;
    // The planned entries, in one transaction: all or none.
    const HistoryResult<int> removed = m_history.deleteEntries(plan.items);
    Report report;
    report.kind = plan.kind;
    if (!removed.ok())
        report.failure = removed.status.reason();
    for (const QString& key : plan.items)
        report.items.append({key, removed.ok() ? Outcome::Done : Outcome::Failed,
                             removed.ok() ? QString() : report.failure, 0});
    addRefusals(report, plan);
    return report;
}

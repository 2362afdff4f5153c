#include "app/Job/DeleteDuplicatesOperation.h"

#include "app/Job/OperationLoop.h"
#include "app/SetEraserLevel/EraserStandard.h"

DeleteDuplicatesOperation::DeleteDuplicatesOperation(QList<DuplicateGroup> groups,
                                                     QList<DuplicatePick::Marks> marks,
                                                     DuplicateDeleteJob::Options options)
    : m_groups(std::move(groups)), m_marks(std::move(marks)), m_options(std::move(options)) {}

DestructiveOperation::Plan DeleteDuplicatesOperation::plan(const StopToken&, const ProgressSink&) {
    Plan plan;
    plan.kind = Kind::DeleteDuplicates;
    for (qsizetype g = 0; g < m_groups.size() && g < m_marks.size(); ++g) {
        const DuplicateGroup& group = m_groups.at(g);
        const DuplicatePick::Marks& asked = m_marks.at(g);
        const DuplicatePick::Marks safe = DuplicatePick::sanitize(group, asked);
        for (int i = 0; i < group.files.size(); ++i) {
            if (!asked.value(i))
                continue;
            const QString shown = group.files.at(i)->filePathName;
            if (!safe.value(i) || DuplicatePick::referenceFor(group, safe, i) < 0) {
                plan.refusals.append(
                    {shown, Refusal::NotAllowed,
                     tr("%1 stays: its group would keep no other copy of it").arg(shown)});
                continue;
            }
            plan.items << shown;
            plan.bytes += group.files.at(i)->fileSize;
        }
    }
    plan.entries = plan.items.size();
    if (m_options.method == DuplicateDeleteJob::Method::Erase) {
        EraseJob probe(m_options.erase);
        plan.level = probe.level();
        plan.standard = EraserStandard::nameForLevel(plan.level);
    }
    if (!plan.items.isEmpty())
        plan.consents.append(
            {Consent::Irreversible, QString(), DuplicateDeleteJob::methodName(m_options.method)});
    return plan;
}

DestructiveOperation::Report DeleteDuplicatesOperation::run(const Plan& plan,
                                                            const Consents& consents,
                                                            const StopToken& stop,
                                                            const ProgressSink& progress) {
    m_deleteReport = DuplicateDeleteJob::Report();
    if (auto early =
            refuseToBegin(plan, consents, stop, ConsentRule::Every, tr("Nothing was deleted.")))
        return *early;
    DuplicateDeleteJob job(m_options);
    // Read between copies, so a stop is not left waiting for the loop's next poll.
    job.setStopRequest(&stop.flag());
    OperationLoop loop(stop, [&job] { job.cancel(); });
    QObject::connect(&job, &DuplicateDeleteJob::progress,
                     [&](int done, int total, const QString& path) {
                         if (!progress)
                             return;
                         Progress p;
                         p.stage = Stage::Removing;
                         p.done = done;
                         p.total = total;
                         p.subject = path;
                         progress(p);
                     });
    QObject::connect(&job, &DuplicateDeleteJob::finished, [&loop] { loop.quit(); });
    job.start(m_groups, m_marks);
    loop.exec();
    m_deleteReport = job.report();

    Report report;
    report.kind = Kind::DeleteDuplicates;
    report.level = plan.level;
    report.cancelled = m_deleteReport.cancelled;
    report.historyDue = m_deleteReport.historyDue;
    report.historyRecorded = m_deleteReport.historyRecorded;
    for (const DuplicateDeleteJob::Line& line : m_deleteReport.lines) {
        const bool removed = line.outcome == DuplicateDeleteJob::Outcome::Removed;
        const Outcome outcome = removed ? Outcome::Done
                                : line.outcome == DuplicateDeleteJob::Outcome::NotReached
                                    ? Outcome::NotReached
                                    : Outcome::Failed;
        // A copy kept on purpose differs from the kept one now (or is no longer the file found).
        const bool kept = line.outcome == DuplicateDeleteJob::Outcome::Kept;
        report.items.append({line.file->filePathName, outcome, line.why,
                             removed ? line.bytesFreed : 0,
                             kept ? std::optional(Reason::Changed) : std::nullopt});
    }
    // The planned copies the run never came to (a stop before them).
    for (const QString& item : plan.items) {
        const bool reported =
            std::any_of(report.items.cbegin(), report.items.cend(),
                        [&item](const Item& done) { return done.subject == item; });
        if (!reported)
            report.items.append({item, Outcome::NotReached, QString(), 0});
    }
    addRefusals(report, plan);
    return report;
}

#include "app/Job/UninstallOperation.h"

namespace {

// Reports each item as the executor reaches it.
class ItemProgress : public AsMDeleteExecutorDelegate {
public:
    ItemProgress(const DestructiveOperation::ProgressSink& sink, qint64 total)
        : m_sink(sink), m_total(total) {}
    void deleteRelatedFile(const AMAppItemPtr& item) override { step(item); }
    void deleteRelatedFileFail(const AMAppItemPtr& item, const QString&) override { step(item); }

private:
    void step(const AMAppItemPtr& item) {
        if (m_sink)
            m_sink({DestructiveOperation::Stage::Removing, ++m_done, m_total, 0, 0, item->path});
    }
    const DestructiveOperation::ProgressSink& m_sink;
    qint64 m_total;
    qint64 m_done = 0;
};

// What a removal leaves of the application itself, in words.
QString keptFileNote(const QString& file) {
    return UninstallOperation::tr(
               "%1 stays: it lies outside your home folder and no package manager "
               "installed it. Remove it yourself if you no longer need it.")
        .arg(file);
}

} // namespace

UninstallOperation::UninstallOperation(QList<QList<AMAppItemPtr>> groups, UninstallFolders folders,
                                       Options options)
    : m_groups(std::move(groups)), m_folders(std::move(folders)), m_options(std::move(options)) {}

DestructiveOperation::Plan UninstallOperation::plan(const StopToken&, const ProgressSink&) {
    Plan plan;
    plan.kind = Kind::Uninstall;
    m_planned.clear();
    m_packages.clear();
    m_refusedByPath.clear();
    const PackageRemoval removal{PackageRemoval::Tools()};
    for (const QList<AMAppItemPtr>& group : m_groups) {
        if (group.isEmpty())
            continue;
        const AMAppItemPtr& app = group.first();
        if (!app->keptReason.isEmpty()) {
            plan.refusals.append({app->name, Refusal::NotAllowed, app->keptReason});
            m_refusedByPath.insert(app->path, app->keptReason);
            continue;
        }
        if (app->package.isPackaged()) {
            const PackageRemoval::Plan simulated = m_options.simulate
                                                       ? m_options.simulate(app->package)
                                                       : removal.simulate(app->package);
            if (!simulated.allowed) {
                plan.refusals.append({app->name, Refusal::NotAllowed, simulated.refusal});
                m_refusedByPath.insert(app->path, simulated.refusal);
                continue;
            }
            m_packages.insert(app->path, simulated.packages);
            plan.notes.append({Warning::Other,
                               tr("packages removed with %1: %2")
                                   .arg(app->name, simulated.packages.join(QStringLiteral(", ")))});
        }
        for (const AMAppItemPtr& item : group) {
            for (const QString& kept : item->keptFiles)
                plan.notes.append({Warning::Other, keptFileNote(kept)});
            m_planned << item;
            plan.items << item->path;
            plan.bytes += item->sizeBytes;
        }
    }
    plan.entries = plan.items.size();
    m_chosen = m_planned;
    if (!plan.items.isEmpty())
        plan.consents.append({Consent::Irreversible, QString(), QString()});
    return plan;
}

DestructiveOperation::Report UninstallOperation::run(const Plan& plan, const Consents& consents,
                                                     const StopToken& stop,
                                                     const ProgressSink& progress) {
    m_uninstallReport = UninstallReport();
    if (auto early =
            refuseToBegin(plan, consents, stop, ConsentRule::Every, tr("Nothing was removed.")))
        return *early;
    QList<AMAppItemPtr> items;
    for (const AMAppItemPtr& item : m_planned)
        if (m_chosen.contains(item))
            items << item;
    AsMDeleteExecutor executor = m_options.packages
                                     ? AsMDeleteExecutor(m_folders, m_options.packages)
                                     : AsMDeleteExecutor(m_folders);
    ItemProgress steps(progress, items.size());
    executor.setDelegate(&steps);
    executor.setEraseSecurely(m_options.eraseSecurely);
    executor.setStopRequest(&stop.flag());
    m_uninstallReport = executor.executeDelete(items);

    Report report;
    report.kind = Kind::Uninstall;
    for (const AMAppItemPtr& item : m_uninstallReport.removed)
        report.items.append({item->path, Outcome::Done, QString(), item->sizeBytes});
    for (const UninstallReport::Failure& failure : m_uninstallReport.failed) {
        const bool notReached = failure.reason == AsMDeleteExecutor::kNotReached;
        report.items.append({failure.item->path, notReached ? Outcome::NotReached : Outcome::Failed,
                             failure.reason, 0});
        report.cancelled = report.cancelled || notReached;
    }
    for (const AMAppItemPtr& item : m_uninstallReport.removed)
        for (const QString& kept : item->keptFiles)
            report.notes << keptFileNote(kept);
    addRefusals(report, plan);
    return report;
}

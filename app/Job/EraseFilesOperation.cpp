#include "app/Job/EraseFilesOperation.h"

#include "app/Job/OperationLoop.h"
#include "app/SetEraserLevel/EraserStandard.h"

#include <QHash>
#include <QSet>

namespace {

// Hears the job and ends the loop the run waits in.
class RunListener : public EraseJobListener {
public:
    RunListener(OperationLoop& loop, const DestructiveOperation::ProgressSink& sink, int passes)
        : m_loop(loop), m_sink(sink), m_passes(passes) {}
    void eraseProgress(float, const QString& path, int index, int total) override {
        if (!m_sink)
            return;
        DestructiveOperation::Progress p;
        p.stage = DestructiveOperation::Stage::Overwriting;
        p.done = index;
        p.total = total;
        p.passes = m_passes;
        p.subject = path;
        m_sink(p);
    }
    void eraseFinished(const EraseReport&) override { m_loop.quit(); }

private:
    OperationLoop& m_loop;
    const DestructiveOperation::ProgressSink& m_sink;
    int m_passes;
};

DestructiveOperation::Outcome outcomeOf(const EraseReport::Line& line) {
    if (line.refused)
        return DestructiveOperation::Outcome::Refused;
    switch (line.outcome) {
    case EraseReport::Outcome::Erased:
        return DestructiveOperation::Outcome::Done;
    case EraseReport::Outcome::Stopped:
        return DestructiveOperation::Outcome::Stopped;
    case EraseReport::Outcome::NotReached:
        return DestructiveOperation::Outcome::NotReached;
    case EraseReport::Outcome::Failed:
        break;
    }
    return DestructiveOperation::Outcome::Failed;
}

// The first problem inside an item says why it was not erased.
DestructiveOperation::Reason reasonOf(const EraseReport::Line& line,
                                      DestructiveOperation::Outcome outcome) {
    using R = DestructiveOperation::Reason;
    if (outcome != DestructiveOperation::Outcome::Failed || line.problems.isEmpty())
        return DestructiveOperation::reasonFor(outcome);
    switch (line.problems.first().reason) {
    case EraseItemResult::Reason::HardLinked:
    case EraseItemResult::Reason::MountPoint:
        return R::Unreachable;
    case EraseItemResult::Reason::Changed:
        return R::Changed;
    case EraseItemResult::Reason::Cancelled:
    case EraseItemResult::Reason::ToolStopped:
        return R::Stopped;
    default:
        return R::ToolFailed;
    }
}

} // namespace

EraseFilesOperation::EraseFilesOperation(QList<QByteArray> paths, EraseJob::Options options)
    : m_paths(std::move(paths)), m_options(std::move(options)) {}

EraseFilesOperation::EraseFilesOperation(QList<FileObjPtr> chosen, EraseJob::Options options)
    : m_given(std::move(chosen)), m_options(std::move(options)) {}

DestructiveOperation::Refusal EraseFilesOperation::refusalFor(ErasePathCheck::Reason reason) {
    using R = ErasePathCheck::Reason;
    switch (reason) {
    case R::Empty:
    case R::DotOrDotDot:
        return Refusal::BadInput;
    case R::RootFolder:
        return Refusal::SystemFolder;
    case R::ProgramFiles:
        return Refusal::ProgramFiles;
    case R::Missing:
        return Refusal::Missing;
    case R::Ntfs:
        return Refusal::Unsupported;
    case R::HomeFolder:
    case R::HoldsHomes:
    case R::SystemFolder:
    case R::MountPoint:
        return Refusal::NotAllowed; // without the consent it needs
    default:
        return Refusal::Failed;
    }
}

DestructiveOperation::Consent EraseFilesOperation::consentFor(ErasePathCheck::Reason reason) {
    switch (reason) {
    case ErasePathCheck::Reason::HomeFolder:
        return Consent::HomeFolder;
    case ErasePathCheck::Reason::HoldsHomes:
        return Consent::HoldsHomes;
    default:
        return Consent::ProtectedFolder;
    }
}

DestructiveOperation::Plan EraseFilesOperation::plan(const StopToken& stop,
                                                     const ProgressSink& progress) {
    EraseJob probe(m_options); // for its level and its builder's medium checks
    Plan plan;
    plan.kind = Kind::EraseFiles;
    plan.level = probe.level();
    plan.standard = EraserStandard::nameForLevel(plan.level);
    // Only the levels of the table run: the passes and the standard recorded must agree.
    if (m_options.level != 0 && !EraserStandard::find(m_options.level)) {
        plan.refusals.append({QString::number(m_options.level), Refusal::UnknownLevel,
                              EraserStandard::unknownLevelText(QString::number(m_options.level))});
        return plan;
    }
    m_chosen.clear();
    m_work.clear();
    m_planProblems.clear();

    ErasePathCheck check =
        m_options.protectedPaths ? ErasePathCheck(*m_options.protectedPaths) : ErasePathCheck();
    // Each path with the window's item for it, where there is one.
    QList<std::pair<QByteArray, FileObjPtr>> candidates;
    for (const QByteArray& path : m_paths)
        candidates.append({path, nullptr});
    for (const FileObjPtr& item : m_given)
        if (item && item->isSelect)
            candidates.append({item->nativePath(), item});

    QSet<QByteArray> seen;
    QStringList copyOnWrite;
    bool anySolid = false;
    for (const auto& [path, given] : candidates) {
        const ErasePathCheck::Result result = check.check(path);
        if (result.verdict == ErasePathCheck::Verdict::Refuse) {
            plan.refusals.append(
                {result.shown, refusalFor(result.reason), ErasePathCheck::message(result)});
            continue;
        }
        if (seen.contains(result.absolute))
            continue;
        seen.insert(result.absolute);
        const FileObjPtr item = given ? given : probe.builder().addFileToArr(result.absolute);
        if (!item) {
            plan.refusals.append({result.shown, Refusal::Missing,
                                  tr("%1: no such file or folder").arg(result.shown)});
            continue;
        }
        if (result.verdict == ErasePathCheck::Verdict::NeedsConsent)
            plan.consents.append(
                {consentFor(result.reason), item->url, ErasePathCheck::message(result)});
        if (item->onCopyOnWrite)
            copyOnWrite << item->url;
        anySolid = anySolid || item->isSSD;
        m_chosen.append(item);
        plan.items << item->url;
    }

    Progress step;
    step.stage = Stage::Planning;
    probe.builder().setExpansionWatch([&](qsizetype found) {
        if ((found & 1023) == 0 && progress) {
            step.done = found;
            progress(step);
        }
        return !stop.stopRequested();
    });
    m_work = probe.builder().buildWorkList(m_chosen);
    m_planProblems = probe.builder().planProblems();
    plan.stopped = probe.builder().expansionStopped() || stop.stopRequested();
    plan.entries = m_work.size();
    for (const FileObjPtr& item : m_work)
        if (!item->isDir)
            plan.bytes += quint64(qMax<qint64>(0, item->size));
    if (!copyOnWrite.isEmpty())
        plan.notes.append({Warning::CopyOnWrite, EraseReport::copyOnWriteWarning(copyOnWrite)});
    if (anySolid && plan.level > 1)
        plan.notes.append({Warning::FewerPasses, tr("files on solid-state storage get 1 pass")});
    if (!plan.items.isEmpty())
        plan.consents.append({Consent::Irreversible, QString(), QString()});
    return plan;
}

DestructiveOperation::Report EraseFilesOperation::run(const Plan& plan, const Consents& consents,
                                                      const StopToken& stop,
                                                      const ProgressSink& progress) {
    m_eraseReport = EraseReport();
    if (auto early =
            refuseToBegin(plan, consents, stop, ConsentRule::PlainYes, tr("Nothing was erased.")))
        return *early;

    EraseJob::Options options = m_options;
    // Homes, system folders and mount points are erased only with every consent they need.
    options.consented = consents.cover(plan);
    EraseJob job(options);
    OperationLoop loop(stop, [&job] { job.cancel(); });
    RunListener listener(loop, progress, job.level());
    job.setListener(&listener);
    // What the walk could not read fails the chosen item it lies in, with why.
    job.startPlanned(m_chosen, m_work, m_planProblems);
    loop.exec();
    m_eraseReport = job.report();

    Report report;
    report.kind = Kind::EraseFiles;
    report.level = job.level();
    report.standard = EraserStandard::nameForLevel(report.level);
    report.cancelled = m_eraseReport.cancelled;
    report.historyDue = options.recordHistory && !m_eraseReport.lines.isEmpty();
    report.historyRecorded = m_eraseReport.historyRecorded;
    for (const EraseReport::Line& line : m_eraseReport.lines) {
        Item item;
        item.subject = line.item->url;
        item.outcome = outcomeOf(line);
        item.detail =
            line.refused
                ? ErasePathCheck::message(line.refusal)
                : (item.outcome == Outcome::Done ? QString() : EraseReport::resultText(line));
        item.reason = reasonOf(line, item.outcome);
        if (line.refused)
            item.refusal = refusalFor(line.refusal.reason);
        report.items.append(item);
    }
    // The bytes of every file erased, per chosen item.
    QHash<QByteArray, qsizetype> lineOf;
    for (qsizetype i = 0; i < m_eraseReport.lines.size(); ++i)
        lineOf.insert(m_eraseReport.lines.at(i).item->nativePath(), i);
    for (const FileObjPtr& entry : job.workList())
        if (!entry->isDir && entry->result.erased())
            report.items[lineOf.value(entry->anchorPath())].bytes +=
                quint64(qMax<qint64>(0, entry->size));
    addRefusals(report, plan);
    return report;
}

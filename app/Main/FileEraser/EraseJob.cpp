#include "app/Main/FileEraser/EraseJob.h"

#include "app/Main/FileEraser/FileErasureFacts.h"

#include "app/Comm/PublicUtilities.h"
#include "app/Comm/UserDefaults.h"
#include "app/Main/FileEraser/RemoveFileAndFolder.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/inter/DoDataBase.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"

#include <QSet>
#include <QTimer>
#include <algorithm>
#include <sys/stat.h>

namespace {

using Outcome = EraseItemResult::Outcome;
using Reason = EraseItemResult::Reason;

bool stillThere(const FileObjPtr& item) {
    struct stat st {};
    return ::lstat(item->nativePath().constData(), &st) == 0;
}

} // namespace

EraseJob::EraseJob(Options options, QObject* parent)
    : QObject(parent), m_options(std::move(options)),
      m_builder(m_options.solidState, m_options.copyOnWrite) {
    if (m_options.programName.isEmpty())
        m_options.programName = BundleLocator::kMainProgramName;
    // Only a level of the table runs, so that the passes and the standard recorded agree.
    m_level = EraserStandard::effectiveLevel(
        m_options.level != 0 ? m_options.level : UserDefaults(m_options.programName).eraserTimes());
}

EraseJob::~EraseJob() {
    if (m_task)
        m_task->setDelegate(nullptr);
}

void EraseJob::start(const QList<FileObjPtr>& chosen) {
    const QList<FileObjPtr> accepted = checkChosen(chosen);
    begin(m_builder.buildWorkList(accepted));
}

void EraseJob::startPlanned(const QList<FileObjPtr>& chosen, const QList<FileObjPtr>& work,
                            const QList<FileObjBuilder::PlanProblem>& planProblems) {
    const QList<FileObjPtr> accepted = checkChosen(chosen);
    m_plannedProblems = planProblems;
    QSet<QByteArray> anchors;
    for (const FileObjPtr& item : accepted)
        anchors.insert(item->nativePath());
    QList<FileObjPtr> kept;
    kept.reserve(work.size());
    for (const FileObjPtr& item : work)
        if (anchors.contains(item->anchorPath()))
            kept.append(item);
    begin(kept);
}

QList<FileObjPtr> EraseJob::checkChosen(const QList<FileObjPtr>& chosen) {
    m_report = EraseReport();
    // The certificate's facts: who, where and when, as the run begins.
    if (m_options.recordHistory)
        m_facts = ErasureFacts::begin(ErasureFacts::kFiles);
    m_work.clear();
    m_plannedProblems.clear();
    m_lineByAnchor.clear();
    m_running = true;
    m_cancel = false;

    // Checked again here, whatever the front end checked: time has passed since.
    ErasePathCheck check =
        m_options.protectedPaths ? ErasePathCheck(*m_options.protectedPaths) : ErasePathCheck();
    QList<FileObjPtr> accepted;
    for (const FileObjPtr& item : chosen) {
        if (!item || !item->isSelect || m_lineByAnchor.contains(item->nativePath()))
            continue;
        EraseReport::Line line;
        line.item = item;
        line.copyOnWrite = item->onCopyOnWrite;
        const ErasePathCheck::Result verdict = check.check(item->nativePath());
        const bool allowed =
            verdict.accepted() ||
            (verdict.verdict == ErasePathCheck::Verdict::NeedsConsent && m_options.consented);
        if (!allowed) {
            line.refused = true;
            line.refusal = verdict;
            Logger::log(
                QStringLiteral("erase: %1")
                    .arg(ErasePathCheck::message(verdict, ErasePathCheck::Language::English)));
        } else {
            accepted.append(item);
        }
        m_lineByAnchor.insert(item->nativePath(), int(m_report.lines.size()));
        m_report.lines.append(line);
    }
    return accepted;
}

void EraseJob::begin(const QList<FileObjPtr>& work) {
    m_work = work;
    for (const FileObjPtr& item : m_work)
        item->result = EraseItemResult();

    if (m_work.isEmpty()) {
        QTimer::singleShot(0, this, [this] { removeObjEnd({}); });
        return;
    }
    delete m_task;
    m_task = new RemoveFileAndFolder(m_options.programName, this);
    m_task->setEraserTimes(m_level);
    m_task->setDelegate(this);
    m_task->benginToTraskWithArr(m_work);
}

void EraseJob::cancel() {
    if (!m_running)
        return;
    m_cancel = true;
    if (m_task)
        m_task->isCancel();
}

void EraseJob::removeProgress(float progress, const QString& path, int index) {
    if (m_listener)
        m_listener->eraseProgress(progress, path, index, int(m_work.size()));
}

void EraseJob::removeObjEnd(const QList<FileObjPtr>&) {
    if (!m_running)
        return;
    judge();
    recordHistory();
    m_running = false;
    if (m_listener) {
        m_listener->eraseProgress(100.0f, QString(), int(m_work.size()), int(m_work.size()));
        m_listener->eraseFinished(m_report);
    }
}

// The one outcome rule, for every chosen item from the results of everything inside it.
void EraseJob::judge() {
    m_report.cancelled = m_cancel;
    const qsizetype count = m_report.lines.size();
    QList<int> notReached(count, 0); // entries of any kind, folders included
    QList<bool> allErased(count, true);
    QList<bool> begun(count, false);     // something in it was overwritten or removed
    QList<bool> realFault(count, false); // a failure that is not the cancel's doing
    for (const FileObjPtr& item : m_work) {
        const int index = m_lineByAnchor.value(item->anchorPath(), -1);
        if (index < 0)
            continue;
        EraseReport::Line& line = m_report.lines[index];
        EraseReport::FileCounts& files = line.files;
        const bool file = !item->isDir;
        switch (item->result.outcome) {
        case Outcome::Erased:
            line.namesInJournal = line.namesInJournal || item->result.namesInJournal;
            begun[index] = true;
            files.erased += file ? 1 : 0;
            break;
        case Outcome::Pending:
        case Outcome::Cancelled: // the tool had not begun on it: untouched
            allErased[index] = false;
            ++notReached[index];
            files.notReached += file ? 1 : 0;
            break;
        case Outcome::Stopped:
            allErased[index] = false;
            begun[index] = true;
            line.namesInJournal = line.namesInJournal || item->result.namesInJournal;
            files.stopped += file ? 1 : 0;
            files.stoppedAfterPass = item->result.passesDone;
            files.stoppedPassesPlanned = item->result.passesPlanned;
            line.problems.append({item->url, Reason::Cancelled,
                                  QStringLiteral("stopped after pass %1 of %2; removed")
                                      .arg(item->result.passesDone)
                                      .arg(item->result.passesPlanned)});
            break;
        default:
            allErased[index] = false;
            begun[index] = true;
            realFault[index] = true;
            files.failed += file ? 1 : 0;
            line.problems.append({item->url, item->result.reason, item->result.toolMessage});
            break;
        }
    }
    for (const FileObjBuilder::PlanProblem& problem :
         m_builder.planProblems() + m_plannedProblems) {
        const int index = m_lineByAnchor.value(problem.anchor, -1);
        if (index >= 0) {
            m_report.lines[index].problems.prepend({problem.text, Reason::ToolError, QString()});
            realFault[index] = true;
        }
    }

    for (qsizetype i = 0; i < count; ++i) {
        EraseReport::Line& line = m_report.lines[i];
        line.stillPresent = stillThere(line.item);
        if (line.refused) {
            line.outcome = EraseReport::Outcome::Failed;
            line.problems.append(
                {line.item->url, Reason::ToolError,
                 ErasePathCheck::message(line.refusal, ErasePathCheck::Language::English)});
        } else {
            line.level = line.item->isSSD ? 1 : m_level;
            if (allErased[i] && !line.stillPresent)
                line.outcome = EraseReport::Outcome::Erased;
            else if (realFault[i] || allErased[i])
                line.outcome = EraseReport::Outcome::Failed;
            else if (!begun[i])
                line.outcome = EraseReport::Outcome::NotReached;
            else
                line.outcome = EraseReport::Outcome::Stopped;
            if (line.outcome == EraseReport::Outcome::NotReached)
                line.level = 0;
            if (notReached[i] > 0 && line.outcome != EraseReport::Outcome::NotReached)
                line.problems.append(
                    {line.item->url, Reason::Cancelled,
                     QStringLiteral("%1 item(s) were not reached: the erasure was cancelled")
                         .arg(notReached[i])});
            if (allErased[i] && line.stillPresent)
                line.problems.append({line.item->url, Reason::ToolError,
                                      QStringLiteral("it is still there after the erasure")});
            // A folder left only because something in it failed says nothing new.
            const bool more = std::any_of(
                line.problems.cbegin(), line.problems.cend(),
                [](const EraseReport::Problem& p) { return p.reason != Reason::NotEmpty; });
            if (more)
                line.problems.removeIf(
                    [](const EraseReport::Problem& p) { return p.reason == Reason::NotEmpty; });
        }
        line.item->eraserLevel = line.level;
        line.item->failStr = EraseReport::resultText(line);
    }
}

void EraseJob::recordHistory() {
    if (!m_options.recordHistory || m_report.lines.isEmpty())
        return;
    QList<FileObjPtr> items;
    for (const EraseReport::Line& line : m_report.lines)
        items.append(line.item);
    FileErasureFacts::complete(m_facts, m_report, m_level, m_work);
    const bool anything = std::any_of(items.cbegin(), items.cend(),
                                      [](const FileObjPtr& item) { return bool(item); });
    m_report.historyRecorded =
        anything && DoDataBase::returnDoDataBase()
                        ->recordFiles(items, m_level, m_facts.toBytes(),
                                      m_options.historyType.isEmpty() ? DoDataBase::kTypeWipeFile
                                                                      : m_options.historyType)
                        .ok();
    if (!PublicUtilities::writeUpDataHistoryStr(QStringLiteral("WipeFileHistory"),
                                                QStringLiteral("1")))
        Logger::log(QStringLiteral("erase: cannot set WipeFileHistory in the settings store"));
}

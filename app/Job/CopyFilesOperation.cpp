#include "app/Job/CopyFilesOperation.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

CopyFilesOperation::CopyFilesOperation(QStringList sources, QString destination,
                                       DiskCopyJob::Options options)
    : m_sources(std::move(sources)), m_destination(std::move(destination)), m_options(options) {}

DestructiveOperation::Plan CopyFilesOperation::plan(const StopToken&, const ProgressSink&) {
    Plan plan;
    plan.kind = Kind::CopyFiles;
    struct stat st {};
    const QByteArray destination = QFile::encodeName(m_destination);
    if (::stat(destination.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        plan.refusals.append(
            {m_destination, Refusal::Missing, tr("%1 is not a folder").arg(m_destination)});
    else if (::access(destination.constData(), W_OK | X_OK) != 0)
        plan.refusals.append(
            {m_destination, Refusal::NoPermission, tr("%1 cannot be written").arg(m_destination)});
    QStringList present;
    for (const QString& source : m_sources) {
        if (::lstat(QFile::encodeName(source).constData(), &st) != 0)
            plan.refusals.append(
                {source, Refusal::Missing, tr("%1: no such file or folder").arg(source)});
        else
            present << source;
    }
    // Without a destination there is nothing to do.
    if (!plan.refusals.isEmpty() && plan.refusals.first().subject == m_destination)
        return plan;
    plan.items = present;
    qsizetype files = 0;
    plan.bytes = DiskCopyJob::bytesUnder(present, &files);
    plan.entries = files;
    if (m_options.existing == DiskCopyJob::Existing::Replace) {
        plan.notes.append({Warning::ReplacesExisting,
                           tr("Files of the same name in %1 are replaced.").arg(m_destination)});
        plan.consents.append({Consent::Irreversible, m_destination, QString()});
    }
    return plan;
}

DestructiveOperation::Report CopyFilesOperation::run(const Plan& plan, const Consents& consents,
                                                     const StopToken& stop,
                                                     const ProgressSink& progress) {
    m_copyReport = DiskCopyJob::Report();
    if (auto early =
            refuseToBegin(plan, consents, stop, ConsentRule::Every, tr("Nothing was copied.")))
        return *early;
    DiskCopyJob job(plan.items, m_destination, m_options);
    if (m_ask)
        job.setAskExisting(m_ask);
    if (progress)
        job.setProgressSink([&progress](const DiskCopyJob::Progress& p) {
            Progress step;
            step.stage = Stage::Copying;
            step.done = qint64(p.doneBytes);
            step.total = qint64(p.totalBytes);
            step.subject = p.currentFile;
            progress(step);
        });
    m_copyReport = job.run(stop.flag());

    Report report;
    report.kind = Kind::CopyFiles;
    report.cancelled = m_copyReport.cancelled;
    report.failure = m_copyReport.refusal;
    for (const QString& copied : m_copyReport.copied) {
        struct stat st {};
        const bool sized = ::lstat(QFile::encodeName(copied).constData(), &st) == 0;
        report.items.append({copied, Outcome::Done, QString(),
                             sized && S_ISREG(st.st_mode) ? quint64(st.st_size) : 0});
    }
    for (const QString& skipped : m_copyReport.skipped)
        report.items.append({skipped, Outcome::Skipped, tr("kept as it was"), 0});
    for (const DiskCopyJob::Failure& failure : m_copyReport.failed)
        report.items.append({failure.path, Outcome::Failed, failure.reason, 0});
    if (m_copyReport.notCopied > 0)
        report.items.append({QStringLiteral("%1 files").arg(m_copyReport.notCopied),
                             m_copyReport.cancelled ? Outcome::NotReached : Outcome::Failed,
                             tr("not copied"), m_copyReport.notCopiedBytes});
    for (const QString& partial : m_copyReport.partialsLeft)
        report.items.append(
            {partial, Outcome::Failed, tr("a partial file of this copy could not be removed"), 0});
    addRefusals(report, plan);
    return report;
}

#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/Main/FileEraser/EraseJob.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>

// The erasure of chosen files and folders behind the operation contract. The plan checks every
// path (ErasePathCheck: refusals and the consents for homes, the folders holding them, system
// folders and mount points) and expands the folders (the walk that can take long, with progress
// and stop); the run hands that work list to the erasure job (EraseJob) on the calling thread's
// event loop. The job's own report stays available for the windows that show it line by line.
class EraseFilesOperation : public DestructiveOperation {
    Q_DECLARE_TR_FUNCTIONS(EraseFilesOperation)

public:
    // Paths as given (the bytes of the file system); the items are made while planning.
    EraseFilesOperation(QList<QByteArray> paths, EraseJob::Options options);
    // Items a window already holds (their selected ones count).
    EraseFilesOperation(QList<FileObjPtr> chosen, EraseJob::Options options);

    Kind kind() const override { return Kind::EraseFiles; }
    Plan plan(const StopToken& stop, const ProgressSink& progress) override;
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override;

    // The erasure job's report of the last run, line by line.
    const EraseReport& eraseReport() const { return m_eraseReport; }
    // The chosen items of the plan (those refused outright left out), in order.
    const QList<FileObjPtr>& chosen() const { return m_chosen; }

    static Refusal refusalFor(ErasePathCheck::Reason reason);
    static Consent consentFor(ErasePathCheck::Reason reason);

private:
    QList<QByteArray> m_paths;
    QList<FileObjPtr> m_given;
    EraseJob::Options m_options;
    QList<FileObjPtr> m_chosen;
    QList<FileObjPtr> m_work;
    QList<FileObjBuilder::PlanProblem> m_planProblems; // what the plan's walk could not read
    EraseReport m_eraseReport;
};

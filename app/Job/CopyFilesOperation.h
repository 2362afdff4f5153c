#pragma once

#include "app/FileCopy/DiskCopyJob.h"
#include "app/Job/DestructiveOperation.h"
#include <QCoreApplication>

// The disk copy behind the operation contract (DiskCopyJob does the work on the calling
// thread). The plan refuses a source that is gone and a destination that is no folder one may
// write, and counts the bytes; replacing existing files needs the user's consent.
class CopyFilesOperation : public DestructiveOperation {
    Q_DECLARE_TR_FUNCTIONS(CopyFilesOperation)

public:
    CopyFilesOperation(QStringList sources, QString destination, DiskCopyJob::Options options);

    void setAskExisting(DiskCopyJob::AskExisting ask) { m_ask = std::move(ask); }

    Kind kind() const override { return Kind::CopyFiles; }
    Plan plan(const StopToken& stop, const ProgressSink& progress) override;
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override;

    const DiskCopyJob::Report& copyReport() const { return m_copyReport; }

private:
    QStringList m_sources;
    QString m_destination;
    DiskCopyJob::Options m_options;
    DiskCopyJob::AskExisting m_ask;
    DiskCopyJob::Report m_copyReport;
};

#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/duplicat/DuplicateDeleteJob.h"
#include <QCoreApplication>

// The deletion of chosen duplicates behind the operation contract (DuplicateDeleteJob does the
// work). The plan applies the finder's rules: a copy whose deletion would leave its group
// without a copy, or that shares its storage with a kept one, is refused by name; the run
// deletes the rest, each compared byte for byte with a kept copy first.
class DeleteDuplicatesOperation : public DestructiveOperation {
    Q_DECLARE_TR_FUNCTIONS(DeleteDuplicatesOperation)

public:
    DeleteDuplicatesOperation(QList<DuplicateGroup> groups, QList<DuplicatePick::Marks> marks,
                              DuplicateDeleteJob::Options options);

    Kind kind() const override { return Kind::DeleteDuplicates; }
    Plan plan(const StopToken& stop, const ProgressSink& progress) override;
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override;

    const DuplicateDeleteJob::Report& deleteReport() const { return m_deleteReport; }

private:
    QList<DuplicateGroup> m_groups;
    QList<DuplicatePick::Marks> m_marks;
    DuplicateDeleteJob::Options m_options;
    DuplicateDeleteJob::Report m_deleteReport;
};

#pragma once

#include "app/Job/UninstallOperation.h"
#include "cli/CliReportFormatter.h"
#include <QCoreApplication>

// The lines of `korvane apps remove`: before the question (and with the refusals) each
// application asked for, what its package manager refused or the packages that go with it, the
// items of its group and the downloads left alone; after the run the uninstaller's end message,
// from the report the operation keeps.
class AppsRemoveFormatter : public CliReportFormatter {
    Q_DECLARE_TR_FUNCTIONS(AppsRemoveFormatter)

public:
    // GROUPS: each application followed by its related files, as the operation got them;
    // LABELS: one "Name (deb:package)" per group; KEPTDOWNLOADS: files listed but not removed.
    AppsRemoveFormatter(const UninstallOperation& operation, QList<QList<AMAppItemPtr>> groups,
                        QStringList labels, QList<AMAppItemPtr> keptDownloads);

    void describe(const Plan& plan) const override;
    QString question(const Plan& plan) const override;
    void explainRefusals(const Plan& plan) const override;
    int nothingToDo(const Plan& plan) const override;
    void printReport(const Report& report) const override;
    QString interruptedText(const Report& report) const override;

private:
    void list(const Plan& plan) const;

    const UninstallOperation& m_operation;
    QList<QList<AMAppItemPtr>> m_groups;
    QStringList m_labels;
    QList<AMAppItemPtr> m_keptDownloads;
};

#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/uninstall/AsMDeleteExecutor.h"
#include "app/uninstall/PackageRemoval.h"
#include <QCoreApplication>

// The uninstaller's removal behind the operation contract (AsMDeleteExecutor does the work).
// Each group is an application followed by the related files chosen with it. The plan asks the
// package manager (a simulation, which changes nothing) whether a packaged application may go:
// a refused application is refused with its whole group; the packages that go are noted. The
// run removes what was planned and is still chosen.
class UninstallOperation : public DestructiveOperation {
    Q_DECLARE_TR_FUNCTIONS(UninstallOperation)

public:
    using Simulator = std::function<PackageRemoval::Plan(const PackageRef& package)>;
    struct Options {
        bool eraseSecurely = false;
        Simulator simulate;                         // the system's package tools when empty
        AsMDeleteExecutor::PackageRemover packages; // the same
    };

    UninstallOperation(QList<QList<AMAppItemPtr>> groups, UninstallFolders folders,
                       Options options);

    void setEraseSecurely(bool erase) { m_options.eraseSecurely = erase; }
    // Narrows the run to CHOSEN (the items the user left ticked after seeing the plan).
    void setChosen(const QList<AMAppItemPtr>& chosen) { m_chosen = chosen; }

    Kind kind() const override { return Kind::Uninstall; }
    Plan plan(const StopToken& stop, const ProgressSink& progress) override;
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override;

    // The planned items (refused groups left out), in removal order.
    const QList<AMAppItemPtr>& planned() const { return m_planned; }
    const QList<QList<AMAppItemPtr>>& groups() const { return m_groups; }
    // Why each refused application may not go, by its path.
    const QHash<QString, QString>& refusedByPath() const { return m_refusedByPath; }
    // The packages each planned application's removal takes away, by its path.
    const QHash<QString, QStringList>& packages() const { return m_packages; }
    const UninstallReport& uninstallReport() const { return m_uninstallReport; }

private:
    QList<QList<AMAppItemPtr>> m_groups;
    UninstallFolders m_folders;
    Options m_options;
    QList<AMAppItemPtr> m_planned;
    QList<AMAppItemPtr> m_chosen;
    QHash<QString, QStringList> m_packages;
    QHash<QString, QString> m_refusedByPath;
    UninstallReport m_uninstallReport;
};

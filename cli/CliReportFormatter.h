#pragma once

#include "app/Job/DestructiveOperation.h"

#include <QCoreApplication>
#include <QString>

// The words one verb of korvane finds for a plan and a report; CliOperationRunner decides
// nothing from them. Each default is plain and generic; a verb with lines of its own (the
// erasure's per-path lines, the wipe's volume) overrides what it needs.
class CliReportFormatter {
    Q_DECLARE_TR_FUNCTIONS(CliReportFormatter)

public:
    using Plan = DestructiveOperation::Plan;
    using Report = DestructiveOperation::Report;

    // VERB names the command in error lines ("erase", "wipe-volume").
    explicit CliReportFormatter(QString verb) : m_verb(std::move(verb)) {}
    virtual ~CliReportFormatter() = default;
    const QString& verb() const { return m_verb; }

    // Said before the question: by default, for an operation that overwrites, the standard
    // ("Erasing with NAME (N passes).") on standard error.
    virtual void describe(const Plan& plan) const;
    // On a terminal, right before the question: what the run would act on. Nothing by default.
    virtual void listItems(const Plan& plan) const;
    virtual QString question(const Plan& plan) const;
    // After the refusals were said: what the user can do about them. Nothing by default.
    virtual void explainRefusals(const Plan& plan) const;
    // The plan holds nothing to do and nothing refused: says so; the exit status (0).
    virtual int nothingToDo(const Plan& plan) const;
    // The result lines: by default one per item ("Done ITEM", "Failed ITEM: why") on standard
    // output, and the failure of the whole on standard error.
    virtual void printReport(const Report& report) const;
    // After "Interrupted by SIGINT: ": what was done and what was not.
    virtual QString interruptedText(const Report& report) const;

    // "Done", "Failed", "Refused", "Stopped", "Not reached", "Skipped".
    static QString outcomeWord(DestructiveOperation::Outcome outcome);

private:
    QString m_verb;
};

#pragma once

#include "app/Job/CleanBrowsersOperation.h"
#include "cli/CliReportFormatter.h"
#include <QCoreApplication>

// The lines of `korvane browsers clean`: before the question (and with the refusals) each kind
// chosen with what it holds, the folders not followed, whether saved passwords and some sites'
// cookies are kept; after the run what was not removed or not reached, the counts and the
// free-space note, from the cleaner's summary the operation keeps.
class BrowsersCleanFormatter : public CliReportFormatter {
    Q_DECLARE_TR_FUNCTIONS(BrowsersCleanFormatter)

public:
    // BROWSERS with their kinds selected as the operation's; PASSWORDSLEFT: saved passwords were
    // left out because no kind was named; KEPTCOOKIES: the sites whose cookies stay.
    BrowsersCleanFormatter(const CleanBrowsersOperation& operation, QList<BrowerObjPtr> browsers,
                           bool passwordsLeft, QStringList keptCookies);

    void describe(const Plan& plan) const override;
    QString question(const Plan& plan) const override;
    void explainRefusals(const Plan& plan) const override;
    int nothingToDo(const Plan& plan) const override;
    void printReport(const Report& report) const override;
    QString interruptedText(const Report& report) const override;

private:
    void listChosen() const;
    void listKept() const;

    const CleanBrowsersOperation& m_operation;
    QList<BrowerObjPtr> m_browsers;
    bool m_passwordsLeft;
    QStringList m_keptCookies;
};

#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/inter/BrowerObj.h"
#include "app/inter/BrowserCleaner.h"
#include "app/inter/CookieKeepList.h"

#include <QCoreApplication>
#include <sys/types.h>

// The browser-data clean behind the operation contract (BrowserCleaner does the work). The
// plan lists the selected kinds of the selected browsers ("Browser, Kind"), refuses the folders
// that were not followed, and asks for the consent to close each browser that runs; the run
// closes only the browsers the user agreed to close (BrowserCloser), leaves the others alone
// (their kinds fail, saying they run) and cleans.
class CleanBrowsersOperation : public DestructiveOperation {
    Q_DECLARE_TR_FUNCTIONS(CleanBrowsersOperation)

public:
    // BROWSERS with their kinds, selected as the user chose; UID: whose browsers they are.
    CleanBrowsersOperation(QList<BrowerObjPtr> browsers, uid_t uid, CookieKeepList keptCookies);

    Kind kind() const override { return Kind::CleanBrowsers; }
    Plan plan(const StopToken& stop, const ProgressSink& progress) override;
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override;

    // The cleaner's own summary of the last run.
    const BrowserCleaner::Summary& summary() const { return m_summary; }
    // The browsers that ran when the plan was made.
    const QStringList& running() const { return m_running; }
    // "Browser, Kind": how a kind is named in plans and reports.
    static QString itemName(const BrowerObj& browser, const BrowerObj& kind);

private:
    QList<BrowerObjPtr> m_browsers;
    uid_t m_uid;
    CookieKeepList m_kept;
    QStringList m_running;
    BrowserCleaner::Summary m_summary;
};

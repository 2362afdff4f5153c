#include "app/Job/CleanBrowsersOperation.h"

#include "app/inter/BrowserCleaner.h"
#include "app/inter/BrowserCloser.h"
#include "app/inter/BrowserLockProbe.h"

CleanBrowsersOperation::CleanBrowsersOperation(QList<BrowerObjPtr> browsers, uid_t uid,
                                               CookieKeepList keptCookies)
    : m_browsers(std::move(browsers)), m_uid(uid), m_kept(std::move(keptCookies)) {}

QString CleanBrowsersOperation::itemName(const BrowerObj& browser, const BrowerObj& kind) {
    return QStringLiteral("%1, %2").arg(browser.name, kind.name);
}

DestructiveOperation::Plan CleanBrowsersOperation::plan(const StopToken&, const ProgressSink&) {
    Plan plan;
    plan.kind = Kind::CleanBrowsers;
    m_running.clear();
    for (const BrowerObjPtr& browser : m_browsers) {
        if (!browser->isSelect)
            continue;
        for (const QString& refusal : browser->refusals)
            plan.refusals.append({browser->name, Refusal::NotAllowed, refusal});
        bool chosen = false;
        for (const BrowerObjPtr& kind : browser->chrArr) {
            if (!kind->isSelect || kind->targets.isEmpty())
                continue;
            chosen = true;
            plan.items << itemName(*browser, *kind);
            plan.bytes += kind->totalBytes();
            plan.entries += kind->targets.size();
        }
        if (!chosen)
            continue;
        const QList<BrowserLockProbe::Holder> holders =
            BrowserLockProbe::running(browser->family, browser->profiles, m_uid);
        if (!holders.isEmpty()) {
            m_running << browser->name;
            plan.consents.append({Consent::RunningBrowser, browser->name,
                                  tr("%1 is running (process %2): it is closed "
                                     "first, and unsaved work in it is lost.")
                                      .arg(browser->name)
                                      .arg(holders.first().pid)});
        }
    }
    if (!plan.items.isEmpty())
        plan.consents.append({Consent::Irreversible, QString(), QString()});
    return plan;
}

DestructiveOperation::Report CleanBrowsersOperation::run(const Plan& plan, const Consents& consents,
                                                         const StopToken& stop,
                                                         const ProgressSink& progress) {
    m_summary = BrowserCleaner::Summary();
    if (auto early =
            refuseToBegin(plan, consents, stop, ConsentRule::PlainYes, tr("Nothing was removed.")))
        return *early;
    Report report;
    report.kind = Kind::CleanBrowsers;
    // Only now, after the yes, and only with the consent to close them.
    if (consents.given(Consent::RunningBrowser)) {
        for (const BrowerObjPtr& browser : m_browsers) {
            if (!browser->isSelect || !m_running.contains(browser->name))
                continue;
            if (progress)
                progress({Stage::Preparing, 0, 0, 0, 0, browser->name});
            const auto probe = [&] {
                return BrowserLockProbe::running(browser->family, browser->profiles, m_uid);
            };
            QString why;
            if (!BrowserCloser::close(probe(), probe, 15000, &why))
                report.notes << tr("%1 did not end: %2").arg(browser->name, why);
        }
    }
    BrowserCleaner cleaner(m_uid);
    cleaner.setKeptCookies(m_kept);
    cleaner.setStopRequest(&stop.flag());
    if (progress)
        progress({Stage::Removing, 0, plan.items.size(), 0, 0, QString()});
    m_summary = cleaner.clean(m_browsers);
    const BrowserCleaner::Summary& summary = m_summary;
    report.cancelled = stop.stopRequested() && !summary.notReached.isEmpty();
    for (const BrowerObjPtr& browser : m_browsers) {
        if (!browser->isSelect)
            continue;
        const bool notReached = summary.notReached.contains(browser->name);
        const bool running = summary.running.contains(browser->name);
        for (const BrowerObjPtr& kind : browser->chrArr) {
            if (!kind->isSelect || kind->targets.isEmpty())
                continue;
            Item item;
            item.subject = itemName(*browser, *kind);
            if (notReached) {
                item.outcome = Outcome::NotReached;
            } else if (kind->allCleaned()) {
                item.outcome = Outcome::Done;
                item.bytes = kind->totalBytes();
            } else {
                item.outcome = Outcome::Failed;
                item.detail = running ? tr("%1 is running").arg(browser->name)
                                      : kind->problems().join(QStringLiteral("; "));
            }
            item.reason = running ? Reason::InUse : reasonFor(item.outcome);
            report.items.append(item);
        }
    }
    addRefusals(report, plan);
    // What the run found it may not touch besides (another user's file, a new link).
    for (const QString& refused : summary.refused) {
        const bool planned =
            std::any_of(plan.refusals.cbegin(), plan.refusals.cend(),
                        [&refused](const Refused& r) { return refused.endsWith(r.detail); });
        if (!planned)
            report.items.append({refused, Outcome::Refused, refused, 0, Reason::Unreachable});
    }
    report.notes << BrowserCleaner::freeSpaceNote(summary);
    return report;
}

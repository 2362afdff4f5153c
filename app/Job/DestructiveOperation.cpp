#include "app/Job/DestructiveOperation.h"

#include <algorithm>

DestructiveOperation::Reason DestructiveOperation::reasonFor(Outcome outcome) {
    switch (outcome) {
    case Outcome::Done:
    case Outcome::Skipped:
        return Reason::None;
    case Outcome::Refused:
        return Reason::Refused;
    case Outcome::Stopped:
    case Outcome::NotReached:
        return Reason::Stopped;
    case Outcome::Failed:
        break;
    }
    return Reason::ToolFailed;
}

bool DestructiveOperation::Plan::needs(Consent consent) const {
    return std::any_of(consents.cbegin(), consents.cend(),
                       [consent](const ConsentNeeded& c) { return c.consent == consent; });
}

DestructiveOperation::Consents DestructiveOperation::Consents::all() {
    Consents c;
    c.m_bits = ~0u;
    return c;
}

DestructiveOperation::Consents& DestructiveOperation::Consents::give(Consent consent) {
    m_bits |= bit(consent);
    return *this;
}

bool DestructiveOperation::Consents::cover(const Plan& plan) const {
    return std::all_of(plan.consents.cbegin(), plan.consents.cend(),
                       [this](const ConsentNeeded& c) { return given(c.consent); });
}

int DestructiveOperation::Report::count(Outcome outcome) const {
    return int(std::count_if(items.cbegin(), items.cend(),
                             [outcome](const Item& item) { return item.outcome == outcome; }));
}

quint64 DestructiveOperation::Report::bytes(Outcome outcome) const {
    quint64 sum = 0;
    for (const Item& item : items)
        if (item.outcome == outcome)
            sum += item.bytes;
    return sum;
}

bool DestructiveOperation::Report::ok() const {
    if (cancelled || !failure.isEmpty() || (historyDue && !historyRecorded))
        return false;
    return std::all_of(items.cbegin(), items.cend(), [](const Item& item) {
        return item.outcome == Outcome::Done || item.outcome == Outcome::Skipped;
    });
}

std::optional<DestructiveOperation::Report>
DestructiveOperation::refuseToBegin(const Plan& plan, const Consents& consents,
                                    const StopToken& stop, ConsentRule rule,
                                    const QString& nothingDone) {
    if (!plan.runnable())
        return notRun(plan, nothingDone, Reason::Stopped); // only a stopped plan has items here
    const bool agreed =
        rule == ConsentRule::Every ? consents.cover(plan) : consents.given(Consent::Irreversible);
    if (!agreed)
        return notRun(plan, tr("Not confirmed. %1").arg(nothingDone), Reason::NotConfirmed);
    if (stop.stopRequested())
        return stoppedBeforeRun(plan);
    return std::nullopt;
}

DestructiveOperation::Report DestructiveOperation::stoppedBeforeRun(const Plan& plan) {
    Report report = notRun(plan, QString(), Reason::Stopped);
    report.cancelled = true;
    return report;
}

void DestructiveOperation::addRefusals(Report& report, const Plan& plan) {
    for (const Refused& refused : plan.refusals) {
        Item item(refused.subject, Outcome::Refused, refused.detail);
        item.refusal = refused.reason;
        report.items.append(item);
    }
}

DestructiveOperation::Report DestructiveOperation::notRun(const Plan& plan, const QString& why,
                                                          Reason reason) {
    Report report;
    report.kind = plan.kind;
    report.level = plan.level;
    report.standard = plan.standard;
    report.failure = why;
    addRefusals(report, plan);
    for (const QString& item : plan.items)
        report.items.append({item, Outcome::NotReached, why, 0, reason});
    return report;
}

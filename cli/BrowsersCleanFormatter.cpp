#include "cli/BrowsersCleanFormatter.h"

#include "cli/CliOutput.h"

#include <cstdio>

namespace {

QByteArray shown(const QString& text) {
    return CliOutput::local(CliOutput::printable(text));
}

} // namespace

BrowsersCleanFormatter::BrowsersCleanFormatter(const CleanBrowsersOperation& operation,
                                               QList<BrowerObjPtr> browsers, bool passwordsLeft,
                                               QStringList keptCookies)
    : CliReportFormatter(QStringLiteral("browsers")), m_operation(operation),
      m_browsers(std::move(browsers)), m_passwordsLeft(passwordsLeft),
      m_keptCookies(std::move(keptCookies)) {}

void BrowsersCleanFormatter::listChosen() const {
    for (const BrowerObjPtr& browser : m_browsers) {
        if (!browser->isSelect)
            continue;
        for (const BrowerObjPtr& kind : browser->chrArr)
            if (kind->isSelect && !kind->targets.isEmpty())
                std::printf("%s: %s\n",
                            shown(CleanBrowsersOperation::itemName(*browser, *kind)).constData(),
                            shown(kind->size).constData());
    }
}

void BrowsersCleanFormatter::listKept() const {
    if (m_passwordsLeft)
        std::printf("%s\n", CliOutput::local(tr("Saved passwords are kept; name \"passwords\" (or "
                                                "\"all\") to remove them."))
                                .constData());
    if (!m_keptCookies.isEmpty())
        std::printf("%s\n",
                    shown(tr("Cookies kept for: %1").arg(m_keptCookies.join(QStringLiteral(", "))))
                        .constData());
}

void BrowsersCleanFormatter::describe(const Plan&) const {
    listChosen();
    listKept();
    std::fflush(stdout);
}

QString BrowsersCleanFormatter::question(const Plan&) const {
    return tr("Remove these? This cannot be undone.");
}

void BrowsersCleanFormatter::explainRefusals(const Plan& plan) const {
    listChosen();
    for (const DestructiveOperation::Refused& refused : plan.refusals)
        std::printf(
            "%s\n",
            shown(tr("not followed: %1: %2").arg(refused.subject, refused.detail)).constData());
    listKept();
    if (!plan.refusals.isEmpty())
        std::printf("%s\n",
                    CliOutput::local(tr("Name the other browsers with --browser to clean them."))
                        .constData());
    std::fflush(stdout);
}

int BrowsersCleanFormatter::nothingToDo(const Plan&) const {
    listKept();
    std::printf("%s\n", CliOutput::local(tr("Nothing to remove.")).constData());
    return 0;
}

void BrowsersCleanFormatter::printReport(const Report& report) const {
    const BrowserCleaner::Summary& summary = m_operation.summary();
    for (const QString& problem : summary.problems)
        std::printf("%s\n", shown(tr("not removed: %1").arg(problem)).constData());
    for (const QString& refused : summary.refused)
        std::printf("%s\n", shown(tr("not reached: %1").arg(refused)).constData());
    const QString running =
        summary.running.isEmpty()
            ? QString()
            : tr("; running, left alone: %1").arg(summary.running.join(QStringLiteral(", ")));
    //: %2 is how many kinds were not removed, %3 the browsers left alone or nothing.
    std::printf("%s\n", shown(tr("%n kind(s) removed, %2 not%3.", nullptr, summary.cleanedKinds)
                                  .arg(summary.failedKinds)
                                  .arg(running))
                            .constData());
    const QString freeSpace = BrowserCleaner::freeSpaceNote(summary);
    std::printf("%s\n", shown(freeSpace).constData());
    std::fflush(stdout);
    // Besides the free-space note: a browser that did not end when it was closed.
    for (const QString& note : report.notes)
        if (note != freeSpace)
            CliOutput::error(verb(), note);
    if (!report.failure.isEmpty())
        CliOutput::error(verb(), report.failure);
}

QString BrowsersCleanFormatter::interruptedText(const Report&) const {
    const QStringList& notReached = m_operation.summary().notReached;
    return notReached.isEmpty() ? tr("every browser chosen had been cleaned already")
                                : tr("not cleaned: %1").arg(notReached.join(QStringLiteral(", ")));
}

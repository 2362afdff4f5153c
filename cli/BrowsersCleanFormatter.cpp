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
        std::puts("Saved passwords are kept; name \"passwords\" (or \"all\") to remove them.");
    if (!m_keptCookies.isEmpty())
        std::printf("Cookies kept for: %s\n",
                    shown(m_keptCookies.join(QStringLiteral(", "))).constData());
}

void BrowsersCleanFormatter::describe(const Plan&) const {
    listChosen();
    listKept();
    std::fflush(stdout);
}

QString BrowsersCleanFormatter::question(const Plan&) const {
    return QStringLiteral("Remove these? This cannot be undone.");
}

void BrowsersCleanFormatter::explainRefusals(const Plan& plan) const {
    listChosen();
    for (const DestructiveOperation::Refused& refused : plan.refusals)
        std::printf("not followed: %s: %s\n", shown(refused.subject).constData(),
                    shown(refused.detail).constData());
    listKept();
    if (!plan.refusals.isEmpty())
        std::puts("Name the other browsers with --browser to clean them.");
    std::fflush(stdout);
}

int BrowsersCleanFormatter::nothingToDo(const Plan&) const {
    listKept();
    std::puts("Nothing to remove.");
    return 0;
}

void BrowsersCleanFormatter::printReport(const Report& report) const {
    const BrowserCleaner::Summary& summary = m_operation.summary();
    for (const QString& problem : summary.problems)
        std::printf("not removed: %s\n", shown(problem).constData());
    for (const QString& refused : summary.refused)
        std::printf("not reached: %s\n", shown(refused).constData());
    const QString running =
        summary.running.isEmpty()
            ? QString()
            : QStringLiteral("; running, left alone: %1").arg(summary.running.join(", "));
    std::printf("%d kinds removed, %d not%s.\n", summary.cleanedKinds, summary.failedKinds,
                shown(running).constData());
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
    return notReached.isEmpty()
               ? QStringLiteral("every browser chosen had been cleaned already")
               : QStringLiteral("not cleaned: %1").arg(notReached.join(QStringLiteral(", ")));
}

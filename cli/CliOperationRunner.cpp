#include "cli/CliOperationRunner.h"

#include "cli/CliInterrupt.h"
#include "cli/CliOutput.h"
#include "cli/CliProgressPrinter.h"
#include "cli/CliPrompt.h"

#include <cstdio>
#include <unistd.h>

using Consent = DestructiveOperation::Consent;

CliOperationRunner::CliOperationRunner(Words words, Flags flags,
                                       const CliReportFormatter& formatter)
    : m_words(std::move(words)), m_flags(std::move(flags)), m_formatter(formatter),
      m_ask(&CliPrompt::askYes) {}

void CliOperationRunner::warn(const QString& text) const {
    QString line = CliOutput::printable(text);
    if (!line.endsWith(QLatin1Char('.')))
        line += QLatin1Char('.');
    std::fprintf(stderr, "%s\n", CliOutput::local(tr("Warning: %1").arg(line)).constData());
}

// Says every refusal and every consent no option gave; true when there was any.
bool CliOperationRunner::sayRefusals(const DestructiveOperation::Plan& plan) const {
    const QString& verb = m_formatter.verb();
    for (const DestructiveOperation::Refused& refused : plan.refusals)
        CliOutput::error(verb, refused.detail.isEmpty() ? refused.subject : refused.detail);
    bool missing = false;
    for (const DestructiveOperation::ConsentNeeded& needed : plan.consents) {
        if (needed.consent == Consent::Irreversible || m_flags.given.given(needed.consent))
            continue;
        QString what = needed.detail.isEmpty() ? needed.subject : needed.detail;
        if (what.endsWith(QLatin1Char('.')))
            what.chop(1);
        const QString does = m_flags.optInDoes.isEmpty()
                                 //: %1 is the verb's infinitive ("erase").
                                 ? tr("%1 it anyway").arg(m_words.doWhat)
                                 : m_flags.optInDoes;
        CliOutput::error(verb,
                         m_flags.optIn.isEmpty()
                             ? tr("%1; not done without a consent").arg(what)
                             //: %2 is an option ("--force"), %3 what it does ("erase it anyway").
                             : tr("%1; add %2 to %3").arg(what, m_flags.optIn, does));
        missing = true;
    }
    return missing || !plan.refusals.isEmpty();
}

int CliOperationRunner::run(DestructiveOperation& operation) {
    CliInterrupt::lineBufferedOutput();
    DestructiveOperation::StopToken stop;
    CliProgressPrinter printer(::isatty(STDERR_FILENO) == 1);
    const auto progress = [&printer](const DestructiveOperation::Progress& p) { printer.show(p); };

    // A signal while planning or asking ends the program at once: nothing has been done yet.
    const DestructiveOperation::Plan plan = operation.plan(stop, progress);
    printer.planningEnded();
    if (plan.stopped) {
        CliOutput::error(m_formatter.verb(), tr("the planning was stopped"));
        std::fprintf(stderr, "%s\n", CliOutput::local(m_words.nothingDone).constData());
        return 1;
    }
    if (plan.items.isEmpty() && plan.refusals.isEmpty())
        return m_formatter.nothingToDo(plan);
    if (sayRefusals(plan)) {
        m_formatter.explainRefusals(plan);
        std::fprintf(stderr, "%s\n", CliOutput::local(m_words.nothingDone).constData());
        return 1;
    }

    m_formatter.describe(plan);
    for (const DestructiveOperation::ConsentNeeded& needed : plan.consents)
        if (needed.consent != Consent::Irreversible)
            warn(needed.detail.isEmpty() ? needed.subject : needed.detail);
    for (const DestructiveOperation::Note& note : plan.notes)
        warn(note.detail);

    DestructiveOperation::Consents consents = m_flags.given;
    if (plan.needs(Consent::Irreversible)) {
        if (!m_flags.yes) {
            if (!CliPrompt::inputIsTerminal()) {
                CliPrompt::sayNoTerminal(m_formatter.verb(), m_words.doing, m_words.doWhat);
                return 1;
            }
            m_formatter.listItems(plan);
            if (!m_ask(m_formatter.question(plan))) {
                std::fprintf(stderr, "%s\n", CliOutput::local(m_words.nothingDone).constData());
                return 1;
            }
        }
        consents.give(Consent::Irreversible);
    }

    // From here a signal stops the run after the step under way. The flag is set in the
    // handler itself for runs that poll it without an event loop (the copy); the callback,
    // on the event loop, says that the stop is under way.
    bool saidCancelling = false;
    CliInterrupt::install(
        [&](int) {
            stop.requestStop();
            if (!saidCancelling)
                printer.cancelling(m_words.cancelling);
            saidCancelling = true;
        },
        stop.signalFlag());
    const DestructiveOperation::Report report = operation.run(plan, consents, stop, progress);
    CliInterrupt::release();
    printer.finish(report.cancelled);
    m_formatter.printReport(report);
    std::fflush(stdout);
    // A signal that came when the run had ended anyway changed nothing.
    if (report.cancelled && CliInterrupt::interrupted()) {
        //: %1 is the signal's name ("SIGINT").
        std::fprintf(stderr, "%s\n",
                     CliOutput::local(tr("Interrupted by %1: %2")
                                          .arg(QString::fromLatin1(CliInterrupt::signalName()),
                                               m_formatter.interruptedText(report)))
                         .constData());
        return CliInterrupt::exitStatus();
    }
    return report.ok() ? 0 : 1;
}

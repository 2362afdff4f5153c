#pragma once

#include "app/Job/DestructiveOperation.h"
#include "cli/CliReportFormatter.h"

#include <QCoreApplication>
#include <QString>
#include <functional>

// Runs one DestructiveOperation for a korvane verb, by the command line's rules, the same for
// every verb:
//   - the plan first (a line counting entries on a terminal when it takes long); every refusal
//     is said as "korvane VERB: DETAIL", and one refusal runs nothing (exit status 1): a batch
//     is done whole or not at all;
//   - a consent that needs a deliberate opt-in (a home folder, a system folder, a mount point)
//     is refused unless the verb's option (--force) or the verb itself gives it; given, it is
//     said as a warning, as the plan's notes are;
//   - the standard that will run is said before the one question, "cannot be undone", which
//     --yes answers, and which is refused when standard input is not a terminal;
//   - the run can be stopped by SIGINT, SIGTERM or SIGHUP (CliInterrupt); its typed progress
//     goes to one printer;
//   - the verb's formatter prints the report; the exit status is the report's: 0 when ok(), 1
//     otherwise, 128 + the signal's number when a signal stopped it. Bad usage (2) is the
//     verb's to say before it builds the operation.
class CliOperationRunner {
    Q_DECLARE_TR_FUNCTIONS(CliOperationRunner)

public:
    struct Words {
        QString doing;       // "erasing": "not erasing without confirmation"
        QString doWhat;      // "erase": "add --yes to erase anyway", "add --force to erase it"
        QString nothingDone; // "Nothing was erased."
        QString cancelling;  // said when a signal arrives; empty for nothing
    };
    struct Flags {
        bool yes = false;
        // The consents the verb's options give (--force) or the verb itself names (wipe-volume
        // names the volume it unmounts and formats).
        DestructiveOperation::Consents given;
        QString optIn; // the option that gives them, named when one is missing: "--force"
        // What the option does, said after it ("add --close to have it closed"); by default
        // "to DOWHAT it anyway".
        QString optInDoes;
    };

    CliOperationRunner(Words words, Flags flags, const CliReportFormatter& formatter);

    // Plans, asks, runs and reports OPERATION; the exit status.
    int run(DestructiveOperation& operation);

    // The answer to the question, in place of a terminal's (for tests).
    void setAsk(std::function<bool(const QString& question)> ask) { m_ask = std::move(ask); }

private:
    bool sayRefusals(const DestructiveOperation::Plan& plan) const;
    void warn(const QString& text) const;

    Words m_words;
    Flags m_flags;
    const CliReportFormatter& m_formatter;
    std::function<bool(const QString&)> m_ask;
};

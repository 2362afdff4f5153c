#pragma once

#include <QCoreApplication>
#include <QString>

// The one question the command line asks before it does something that cannot be undone.
class CliPrompt {
    Q_DECLARE_TR_FUNCTIONS(CliPrompt)

public:
    // Prints QUESTION and " [y/N] " (in the user's language) on standard error, reads one
    // line and says how it was taken: true only for a yes ("y", "yes" in any case, or the
    // language's own words, "j"/"ja" in German); false at the end of the input.
    static bool askYes(const QString& question);
    // Whether ANSWER, as typed, means yes.
    static bool isYes(const QString& answer);
    // Prints PROMPT on standard error and reads one line; empty at the end of the input.
    static QString askLine(const QString& prompt);

    // The confirmation every verb asks for the same way: true at once with --yes (YES); false,
    // saying why ("korvane VERB: not DOING without confirmation: standard input is not a
    // terminal; add --yes to DO anyway"), when there is no terminal to ask on, since an answer
    // piped in is no one's decision; otherwise askYes(QUESTION).
    static bool confirm(const QString& verb, const QString& question, bool yes,
                        const QString& doing, const QString& doWhat);
    // The refusal confirm() says when there is no terminal to ask on.
    static void sayNoTerminal(const QString& verb, const QString& doing, const QString& doWhat);
    // Whether standard input is a terminal; a test may set the answer.
    static bool inputIsTerminal();
    static void setInputIsTerminal(int answer); // 1 yes, 0 no, -1 ask the system again
};

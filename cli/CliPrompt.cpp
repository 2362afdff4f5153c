#include "cli/CliPrompt.h"

#include "cli/CliOutput.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {
int g_terminal = -1;
}

QString CliPrompt::askLine(const QString& prompt) {
    std::fputs(CliOutput::local(prompt).constData(), stderr);
    std::fflush(stderr);
    std::string answer;
    if (!std::getline(std::cin, answer)) {
        std::fputc('\n', stderr);
        return {};
    }
    return QString::fromLocal8Bit(answer.c_str());
}

bool CliPrompt::isYes(const QString& answer) {
    const QString word = answer.trimmed().toLower();
    if (word.isEmpty())
        return false;
    // The English words always count, so a habit or a script works in every language.
    //: The words taken as yes, separated by "|", lower case.
    const QStringList yes = (QStringLiteral("y|yes|") + tr("y|yes")).split(QLatin1Char('|'));
    return yes.contains(word);
}

bool CliPrompt::askYes(const QString& question) {
    //: The choices after a question: the yes letter, and N (the default) for no.
    const QString answer = askLine(question + QLatin1Char(' ') + tr("[y/N]") + QLatin1Char(' '));
    const bool yes = isYes(answer);
    // Whatever was typed, the user sees what it was taken for.
    std::fprintf(
        stderr, "%s\n",
        CliOutput::local(yes ? tr("Answer taken as yes.") : tr("Answer taken as no.")).constData());
    return yes;
}

bool CliPrompt::inputIsTerminal() {
    return g_terminal >= 0 ? g_terminal == 1 : ::isatty(STDIN_FILENO) == 1;
}

void CliPrompt::setInputIsTerminal(int answer) {
    g_terminal = answer;
}

bool CliPrompt::confirm(const QString& verb, const QString& question, bool yes,
                        const QString& doing, const QString& doWhat) {
    if (yes)
        return true;
    if (!inputIsTerminal()) {
        sayNoTerminal(verb, doing, doWhat);
        return false;
    }
    return askYes(question);
}

void CliPrompt::sayNoTerminal(const QString& verb, const QString& doing, const QString& doWhat) {
    //: %1 is what would be done ("erasing"), %2 the verb ("erase").
    CliOutput::error(verb, tr("not %1 without confirmation: standard input is not a terminal; "
                              "add --yes to %2 anyway")
                               .arg(doing, doWhat));
}

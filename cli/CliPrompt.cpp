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

bool CliPrompt::askYes(const QString& question) {
    const QString answer = askLine(question + QStringLiteral(" [y/N] "));
    return answer == QLatin1String("y") || answer == QLatin1String("Y") ||
           answer == QLatin1String("yes") || answer == QLatin1String("YES");
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
    CliOutput::error(verb, QStringLiteral("not %1 without confirmation: standard input is not a "
                                          "terminal; add --yes to %2 anyway")
                               .arg(doing, doWhat));
}

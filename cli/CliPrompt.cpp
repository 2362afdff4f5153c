#include "cli/CliPrompt.h"

#include <cstdio>
#include <iostream>
#include <string>

bool CliPrompt::askYes(const char* question) {
    std::fprintf(stderr, "%s [y/N] ", question);
    std::fflush(stderr);
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
}

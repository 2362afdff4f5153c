#include "cli/EraseCommand.h"
#include "cli/HistoryCommand.h"
#include "platform/Logger.h"

#include <cstdio>
#include <cstring>

// korvane: the command-line front end over the same core as the window.
int main(int argc, char** argv) {
    Logger::open("korvane");
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        std::puts("usage: korvane COMMAND [ARGS]");
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "erase") == 0)
        return EraseCommand::run(argc - 1, argv + 1);
    if (std::strcmp(argv[1], "history") == 0)
        return HistoryCommand::run(argc - 1, argv + 1);
    std::fprintf(stderr, "korvane: unknown command '%s'\n", argv[1]);
    return 2;
}

// makehistorydb PATH: makes the empty history database that ships in the bundle, unless PATH
// exists already (a history that programs in the build tree have written is never replaced).
#include "app/inter/HistorySchema.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makehistorydb PATH\n");
        return 2;
    }
    const std::string path = argv[1];
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0)
        return 0;
    std::string error;
    // Owner only: the history names what was erased, which is nobody else's business.
    if (!HistorySchema::createDatabase(path, 0600, error)) {
        std::fprintf(stderr, "makehistorydb: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

// srm: overwrite files, then remove them. The work is done by SecureRemover (or, for --batch,
// BatchRunner); this only reads the command line and turns the outcome into an exit status.
#include "BatchRunner.h"
#include "Cancellation.h"
#include "FreeSlotFiller.h"
#include "NameScrubber.h"
#include "Reporter.h"
#include "SecureRemover.h"
#include "SrmOptions.h"
#include "SystemRandom.h"
#include "platform/ParentDeathSignal.h"

#include <csignal>
#include <exception>
#include <iostream>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    srm::SrmOptions options;
    std::string error;
    if (!srm::SrmOptions::parse(args, options, error)) {
        std::cerr << "srm: " << error << "\n"
                  << srm::SrmOptions::usage() << "Try 'srm --help' for more information.\n";
        return 2;
    }
    if (options.help) {
        std::cout << srm::SrmOptions::helpText();
        return 0;
    }
    std::unique_ptr<srm::SystemRandom> random;
    try {
        random = std::make_unique<srm::SystemRandom>();
    } catch (const std::exception& e) {
        std::cerr << "srm: cannot seed the random generator: " << e.what() << "\n";
        return 1;
    }
    // A stop request lets the current file end cleanly (its pass under way finished, then
    // removed, reported) instead of dying half-way; a reader that went away makes writes fail
    // rather than kill the process.
    srm::Cancellation::installSignalHandlers();
    std::signal(SIGPIPE, SIG_IGN);
    // The same stop when the program that started srm is gone, however it started it: nobody
    // is left to show the results, and nothing after the current file is touched.
    ParentDeathSignal::armForThisProcess();
    // Every folder level of a deep tree holds one descriptor open.
    struct rlimit files {};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }

    if (options.batch) {
        // Results own standard output; the problems, with their paths, go to standard error.
        srm::Reporter reporter(std::cerr, std::cerr, false);
        srm::SecureRemover remover(options, *random, reporter);
        return srm::BatchRunner(remover, reporter, STDIN_FILENO, STDOUT_FILENO).run();
    }
    srm::Reporter reporter(std::cout, std::cerr, options.verbose);
    if (options.freeSlots) {
        srm::NameScrubber scrubber(*random, reporter);
        srm::FreeSlotFiller filler(scrubber, reporter);
        bool ok = true;
        for (const std::string& path : options.paths) {
            ok = filler.run(path, options.volumeFull) && ok;
        }
        return ok ? 0 : 1;
    }
    srm::SecureRemover remover(options, *random, reporter);
    bool ok = true;
    for (const std::string& path : options.paths) {
        if (srm::Cancellation::requested()) {
            std::cerr << "srm: stopped; the paths not reached yet were left alone\n";
            return 1;
        }
        ok = remover.erase(path) && ok;
    }
    remover.finishRun();
    return ok ? 0 : 1;
}

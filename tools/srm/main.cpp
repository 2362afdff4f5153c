// srm: overwrite files, then remove them. The work is done by SecureRemover; this only reads
// the command line and turns the outcome into an exit status.
#include "Reporter.h"
#include "SecureRemover.h"
#include "SrmOptions.h"
#include "SystemRandom.h"

#include <exception>
#include <iostream>
#include <memory>

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
    srm::Reporter reporter(std::cout, std::cerr, options.verbose);
    srm::SecureRemover remover(options, *random, reporter);
    bool ok = true;
    for (const std::string& path : options.paths) {
        ok = remover.erase(path) && ok;
    }
    return ok ? 0 : 1;
}

#pragma once

#include "PassPlan.h"

#include <string>
#include <vector>

namespace srm {

// The command line: option letters may be combined in one word ("-fsvrz"); "--" ends options.
struct SrmOptions {
    bool force = false;     // -f: never ask, and a missing path is not an error
    bool verbose = false;   // -v: one line per pass and per removal on standard output
    bool recursive = false; // -r: erase folders with their contents
    bool zeroPass = false;  // -z: a last pass of zeros
    Scheme scheme = Scheme::ThirtyFive;
    bool help = false;
    bool batch = false; // --batch: the entries come from standard input (see BatchRunner)
    // --free-slots: the paths are folders; on FAT and exFAT the free slots of each folder in
    // them are overwritten (the names of entries removed earlier), and nothing is removed.
    bool freeSlots = false;
    // --volume-full (with --free-slots): the caller has filled the volume's data space, so no
    // folder can grow; every folder then gets throw-away entries until the driver refuses one,
    // whatever size it reports for the folder.
    bool volumeFull = false;
    std::vector<std::string> paths;

    // Fills OPTIONS from ARGS (without the program name). On a bad command line returns false
    // and sets ERROR to a one-line reason.
    static bool parse(const std::vector<std::string>& args, SrmOptions& options,
                      std::string& error);

    // Fills OPTIONS from one option word ("-fsvrz"), as the batch mode's records carry it.
    static bool parseWord(const std::string& word, SrmOptions& options, std::string& error);

    static std::string usage();
    static std::string helpText();
};

} // namespace srm

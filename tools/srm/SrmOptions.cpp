#include "SrmOptions.h"

namespace srm {

bool SrmOptions::parse(const std::vector<std::string>& args, SrmOptions& options,
                       std::string& error) {
    options = SrmOptions{};
    char schemeLetter = 0;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            options.paths.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help") {
            options.help = true;
            continue;
        }
        if (arg == "--batch") {
            options.batch = true;
            continue;
        }
        if (arg == "--free-slots") {
            options.freeSlots = true;
            continue;
        }
        if (arg == "--volume-full") {
            options.volumeFull = true;
            continue;
        }
        if (arg[1] == '-') {
            error = "unrecognized option '" + arg + "'";
            return false;
        }
        for (char letter : arg.substr(1)) {
            switch (letter) {
            case 'f':
                options.force = true;
                break;
            case 'v':
                options.verbose = true;
                break;
            case 'r':
                options.recursive = true;
                break;
            case 'z':
                options.zeroPass = true;
                break;
            case 's':
            case 'E':
            case 'm':
                // Two different schemes cannot both be meant; refuse rather than guess.
                if (schemeLetter != 0 && schemeLetter != letter) {
                    error = std::string("options -") + schemeLetter + " and -" + letter +
                            " choose different schemes";
                    return false;
                }
                schemeLetter = letter;
                options.scheme = letter == 's'   ? Scheme::OnePass
                                 : letter == 'E' ? Scheme::ThreePass
                                                 : Scheme::SevenPass;
                break;
            default:
                error = std::string("invalid option -- '") + letter + "'";
                return false;
            }
        }
    }
    if (options.batch && !options.paths.empty()) {
        error = "--batch reads its entries from standard input, not from the command line";
        return false;
    }
    if (options.batch && options.freeSlots) {
        error = "--batch and --free-slots cannot be combined";
        return false;
    }
    if (options.volumeFull && !options.freeSlots) {
        error = "--volume-full goes with --free-slots";
        return false;
    }
    if (!options.help && !options.batch && options.paths.empty()) {
        error = "missing operand";
        return false;
    }
    return true;
}

bool SrmOptions::parseWord(const std::string& word, SrmOptions& options, std::string& error) {
    if (word.size() < 2 || word[0] != '-' || word[1] == '-') {
        error = "'" + word + "' is not an option word";
        return false;
    }
    return parse({word, "-"}, options, error);
}

std::string SrmOptions::usage() {
    return "Usage: srm [-f] [-s|-E|-m] [-v] [-r] [-z] [--] PATH...\n"
           "       srm --batch   (entries from standard input, one result line each)\n"
           "       srm --free-slots [--volume-full] FOLDER...\n";
}

std::string SrmOptions::helpText() {
    return usage() + R"(Overwrite each regular file, then remove it; with -r, erase folders too.

  -s        one pass of random data
  -E        three passes: random, random, the pattern 0xAA
  -m        seven passes: 0xF6, 0x00, 0xFF, random, 0x00, 0xFF, random
            (default without -s, -E or -m: 35 passes: 4 random, the 27 fixed
            patterns of the 35-pass scheme in random order, 4 random)
  -z        add a last pass of zeros
  -f        never ask; a path that does not exist is not an error
  -r        erase folders with everything in them, contents first; never
            leaves the file system the folder is on
  -v        print one line per pass and per removal
  --batch   read entries from standard input as NUL-ended fields OPTIONWORD,
            ANCHOR, RELATIVE, erase each singly and print one result line per
            entry: INDEX, STATUS, REASON, MESSAGE separated by tabs, and
            NOTES ("journal") where an erased name may remain in a journal
  --free-slots
            remove nothing: in each FOLDER and every folder below it on the same
            file system, overwrite the free slots where FAT and exFAT keep the
            names of entries removed before (elsewhere it does nothing)
  --volume-full
            with --free-slots, for a volume whose data space the caller has
            filled: each folder gets throw-away entries until the driver refuses
            one, so that every free slot is overwritten whatever size the driver
            reports for the folder; refused when one more byte still fits
  --help    show this help and exit

Every pass covers the whole file up to the end of its last block and is
flushed to the device before the next one starts. Then the file is truncated,
renamed several times to random, ever shorter names, and removed. On FAT and
exFAT the slots of removed names are overwritten with throw-away entries
(*.srm~, removed again); on ext4 the journal is emptied at the end (as root).

A symbolic link is removed as a link; its target is never touched. A file with
other hard links is not overwritten and not removed (its data is still reached
through the other names): srm reports a failure. No mount met inside a folder
is entered, a bind mount of the same file system included. Devices, fifos and
sockets are never opened: named directly they are refused, inside a folder
being erased their names are removed.

What overwriting cannot reach: copy-on-write and log-structured file systems
(btrfs, ZFS, F2FS) write new data to new blocks; SSDs and flash media remap
blocks (wear levelling) and keep old copies out of reach; snapshots, backups
and file system journals may hold copies of the data and of the names. For
such storage, erase the whole device or use its own secure-erase command, and
rely on encryption.

Exit status: 0 when every path was overwritten and removed, 1 if anything
failed, 2 on a bad command line.
)";
}

} // namespace srm

#pragma once

#include "LoopImage.h"

#include <string>
#include <vector>

namespace testsupport {

// Files whose names are what a user wants gone, for the proofs that an erasure leaves no name
// behind. Each set has six names of the shapes that take different directory slots: long ones
// across several FAT and exFAT slots, one with spaces, one upper-case 8.3 name (a single FAT
// slot), one with accents, one hidden; no run of five characters is shared between names, nor
// with the names FUSE gives files removed while open (".fuse_hidden...").
struct NamedFiles {
    enum class Set { Kept, Erased, Control };

    static std::vector<std::string> names(Set set);
    // Whether names may hold characters beyond ASCII (the FUSE FAT driver refuses them); on by
    // default. Off, those characters are left out.
    static void allowUnicode(bool allowed);
    // The two folder names of the erased tree: the chosen folder and one inside it.
    static const std::vector<std::string>& folderNames();
    // Every name of every set, to tell traces apart.
    static std::vector<std::string> allNames();

    // Writes the six files of SET into FOLDER (created), each with content marked "ZQM" + its
    // number in the set, repeated.
    static void write(const std::string& folder, Set set);
    static std::string marker(Set set, std::size_t index);

    // The names of SET (or the folder names) the unmounted IMAGE still holds a trace of.
    static std::vector<std::string> tracesLeft(const LoopImage& image,
                                               const std::vector<std::string>& names);
    // The markers of SET still in the unmounted IMAGE.
    static std::size_t markersLeft(const LoopImage& image, Set set);
};

} // namespace testsupport

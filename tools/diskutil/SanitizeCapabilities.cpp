#include "SanitizeCapabilities.h"

#include "AtaSanitizer.h"
#include "NvmeSanitizer.h"
#include "ScsiSanitizer.h"
#include "SecureDiscard.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace diskutil {

namespace {

// The kernel's folder of DEVICE, found by its device number (never by a name from outside).
std::string sysfsOf(const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0 || !S_ISBLK(st.st_mode))
        return {};
    const std::string link = "/sys/dev/block/" + std::to_string(major(st.st_rdev)) + ":" +
                             std::to_string(minor(st.st_rdev));
    char resolved[PATH_MAX];
    return ::realpath(link.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

} // namespace

SanitizeCapabilities SanitizeCapabilities::probe(const std::string& device) {
    SanitizeCapabilities caps;
    caps.device_ = device;
    std::string folder = sysfsOf(device);
    caps.wholeDrive_ = !folder.empty() && ::access((folder + "/partition").c_str(), F_OK) != 0;
    // A partition has no queue of its own: its disk's says.
    if (!folder.empty() && !caps.wholeDrive_)
        folder = folder.substr(0, folder.rfind('/'));
    std::string rotational = "1";
    std::ifstream(folder + "/queue/rotational") >> rotational;
    caps.rotational_ = rotational != "0";
    std::vector<std::unique_ptr<FirmwareEraser>> erasers;
    erasers.push_back(std::make_unique<NvmeSanitizer>());
    erasers.push_back(std::make_unique<AtaSanitizer>());
    erasers.push_back(std::make_unique<ScsiSanitizer>());
    erasers.push_back(std::make_unique<SecureDiscard>());
    for (auto& eraser : erasers) {
        FirmwareEraser::Offers offers = eraser->probe(device);
        caps.families_.push_back({std::move(eraser), std::move(offers)});
    }
    caps.hidden_ = HiddenAreas::of(device);
    return caps;
}

std::vector<FirmwareErase> SanitizeCapabilities::usable() const {
    std::vector<FirmwareErase> erases;
    for (const Family& family : families_)
        if (family.offers.blocked.empty())
            erases.insert(erases.end(), family.offers.erases.begin(), family.offers.erases.end());
    std::stable_sort(
        erases.begin(), erases.end(),
        [](const FirmwareErase& a, const FirmwareErase& b) { return a.rank() < b.rank(); });
    return erases;
}

const FirmwareEraser* SanitizeCapabilities::eraserOf(const FirmwareErase& erase) const {
    for (const Family& family : families_)
        for (const FirmwareErase& offered : family.offers.erases)
            if (offered.id() == erase.id())
                return family.eraser.get();
    return nullptr;
}

SanitizeCapabilities::Choice SanitizeCapabilities::choose(const std::string& method) const {
    Choice choice;
    if (method == "overwrite")
        return choice;
    const bool asked = method == "sanitize";
    if (!wholeDrive_) {
        if (asked) {
            choice.kind = Choice::Kind::Refused;
            choice.why = device_ + " is not a whole drive: a firmware erase acts on the whole "
                                   "drive. Wipe the drive itself, or use --method overwrite.";
        }
        return choice;
    }
    // A turning disk rewrites its sectors in place: an overwrite reaches them.
    if (!asked && rotational_)
        return choice;
    const std::vector<FirmwareErase> erases = usable();
    // A frozen drive is unfrozen rather than given a weaker erase (a secure discard, which
    // its own firmware would refuse anyway).
    const bool onlyTried =
        erases.empty() || erases.front().action == FirmwareErase::Action::SecureDiscard;
    if (!onlyTried) {
        choice.kind = Choice::Kind::Sanitize;
        choice.erase = erases.front();
        choice.eraser = eraserOf(choice.erase);
        return choice;
    }
    for (const Family& family : families_)
        if (!family.offers.blocked.empty()) {
            choice.kind = Choice::Kind::Refused;
            choice.why = family.offers.blocked + " Nothing was written.";
            return choice;
        }
    if (!erases.empty()) {
        choice.kind = Choice::Kind::Sanitize;
        choice.erase = erases.front();
        choice.eraser = eraserOf(choice.erase);
        return choice;
    }
    if (asked) {
        choice.kind = Choice::Kind::Refused;
        choice.why = device_ + " offers no firmware erase (no NVMe, ATA or SCSI sanitize, no "
                               "secure discard): nothing was written. Use --method overwrite "
                               "for a Clear.";
    }
    return choice;
}

void SanitizeCapabilities::print(std::ostream& out) const {
    out << "device " << device_ << "\n"
        << "medium " << (rotational_ ? "rotational" : "solid-state") << "\n"
        << "drive " << (wholeDrive_ ? "whole" : "partition") << "\n";
    for (const Family& family : families_) {
        for (const FirmwareErase& erase : family.offers.erases)
            out << "offer " << erase.id() << ' ' << erase.label() << "\n";
        if (!family.offers.blocked.empty())
            out << "blocked " << family.offers.blocked << "\n";
        for (const std::string& note : family.offers.notes)
            out << "note " << note << "\n";
    }
    const Choice automatic = choose("auto");
    for (const HiddenAreas::Area& area : hidden_)
        out << HiddenAreas::line(device_, area, automatic.kind == Choice::Kind::Sanitize) << "\n";
    for (const char* method : {"auto", "sanitize"}) {
        const Choice choice = choose(method);
        out << "choice " << method << ' ';
        if (choice.kind == Choice::Kind::Sanitize)
            out << "sanitize " << choice.erase.id() << ' ' << choice.erase.methodText();
        else if (choice.kind == Choice::Kind::Refused)
            out << "refused " << choice.why;
        else
            out << "overwrite";
        out << "\n";
    }
    out.flush();
}

} // namespace diskutil

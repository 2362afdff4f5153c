#include "NamedFiles.h"

#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

namespace {
bool g_unicode = true;

std::vector<std::string> withoutUnicode(std::vector<std::string> names) {
    if (!g_unicode) {
        for (std::string& name : names) {
            std::string ascii;
            for (char c : name) {
                if (static_cast<unsigned char>(c) < 0x80) {
                    ascii.push_back(c);
                }
            }
            name = ascii;
        }
    }
    return names;
}
} // namespace

void NamedFiles::allowUnicode(bool allowed) {
    g_unicode = allowed;
}

std::vector<std::string> NamedFiles::names(Set set) {
    static const std::vector<std::string> kept{
        "K1divorce-lawyer-letter.pdf",
        "K2 tax return 2026.xlsx",
        "K3SECRT.TXT",
        "K4-médical-résultats-finaux.docx",
        "K5-quarterly-board-minutes-confidential-draft-version-seven-with-comments-from-legal-"
        "and-finance.odt",
        ".K6secret-salary-list.csv",
    };
    static const std::vector<std::string> erased{
        "G1passport-scan-front.jpg",
        "G2 bank statement march.pdf",
        "G3PINS.TXT",
        "G4-überweisung-kündigung.txt",
        "G5-private-journal-entries-from-the-summer-holiday-in-the-mountains-never-to-be-read-"
        "by-anyone.md",
        ".G6ssh-backup-key.pem",
    };
    static const std::vector<std::string> control{
        "C1love-letters-archive.zip",
        "C2 health insurance claim.pdf",
        "C3WILL.DOC",
        "C4-àçcénts-nœuds-ïles.txt",
        "C5-recordings-of-the-family-meeting-about-the-inheritance-and-the-house-by-the-lake-"
        "in-june.ogg",
        ".C6browser-history-export.json",
    };
    switch (set) {
    case Set::Kept:
        return withoutUnicode(kept);
    case Set::Erased:
        return withoutUnicode(erased);
    case Set::Control:
        break;
    }
    return withoutUnicode(control);
}

const std::vector<std::string>& NamedFiles::folderNames() {
    static const std::vector<std::string> folders{"F1private-folder-of-mine", "F2inner-notes-box"};
    return folders;
}

std::vector<std::string> NamedFiles::allNames() {
    std::vector<std::string> all;
    for (Set set : {Set::Kept, Set::Erased, Set::Control}) {
        const std::vector<std::string> list = names(set);
        all.insert(all.end(), list.begin(), list.end());
    }
    all.insert(all.end(), folderNames().begin(), folderNames().end());
    return all;
}

std::string NamedFiles::marker(Set set, std::size_t index) {
    const char tag = set == Set::Kept ? 'K' : set == Set::Erased ? 'E' : 'C';
    return std::string("ZQM") + tag + std::to_string(index) + "MARK";
}

void NamedFiles::write(const std::string& folder, Set set) {
    ::mkdir(folder.c_str(), 0755);
    const std::vector<std::string> list = names(set);
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::string data;
        while (data.size() < 6000) {
            data += marker(set, i) + "\n";
        }
        const std::string path = folder + "/" + list[i];
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0 || ::write(fd, data.data(), data.size()) != ssize_t(data.size()) ||
            ::fsync(fd) != 0) {
            throw std::runtime_error("cannot write " + path);
        }
        ::close(fd);
    }
}

std::vector<std::string> NamedFiles::tracesLeft(const LoopImage& image,
                                                const std::vector<std::string>& list) {
    const std::vector<std::string> all = allNames();
    const std::vector<std::size_t> traces = image.countNameTraces(list, all);
    std::vector<std::string> left;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (traces[i] > 0) {
            left.push_back(list[i]);
        }
    }
    return left;
}

std::size_t NamedFiles::markersLeft(const LoopImage& image, Set set) {
    std::size_t left = 0;
    for (std::size_t i = 0; i < names(set).size(); ++i) {
        left += image.count(marker(set, i));
    }
    return left;
}

} // namespace testsupport

#include "BatchRunner.h"

#include "Cancellation.h"
#include "SrmOptions.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace srm {

using safewalk::EntryFacts;
using safewalk::SafeWalk;

BatchRunner::BatchRunner(SecureRemover& remover, Reporter& reporter, int inFd, int outFd)
    : remover_(remover), reporter_(reporter), inFd_(inFd), outFd_(outFd) {}

bool BatchRunner::readField(std::string& field) {
    field.clear();
    for (;;) {
        if (bufferPos_ < buffer_.size()) {
            const std::size_t end = buffer_.find('\0', bufferPos_);
            if (end != std::string::npos) {
                field.append(buffer_, bufferPos_, end - bufferPos_);
                bufferPos_ = end + 1;
                return true;
            }
            field.append(buffer_, bufferPos_, std::string::npos);
            bufferPos_ = buffer_.size();
        }
        if (inputEnded_) {
            return false;
        }
        char chunk[65536];
        const ssize_t n = ::read(inFd_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            if (Cancellation::requested()) {
                return false;
            }
            continue;
        }
        if (n <= 0) {
            inputEnded_ = true;
            continue;
        }
        buffer_.assign(chunk, std::size_t(n));
        bufferPos_ = 0;
    }
}

int BatchRunner::run() {
    bool allOk = true;
    long index = 0;
    std::string word, anchor, relative;
    while (!Cancellation::requested() && readField(word) && readField(anchor) &&
           readField(relative)) {
        if (folders_.anchorParentFd() >= 0 && anchor != folders_.anchor()) {
            SecureRemover::flushFileSystemOf(folders_.anchorParentFd());
        }
        reporter_.beginItem();
        remover_.beginEntry();
        const EntryOutcome outcome = eraseRecord(word, anchor, relative);
        allOk = allOk && outcome.ok();
        if (!writeResult(index++, outcome)) {
            return 1; // nobody reads the results any more
        }
        if (outcome.endsRun()) {
            break;
        }
    }
    if (folders_.anchorParentFd() >= 0) {
        SecureRemover::flushFileSystemOf(folders_.anchorParentFd());
    }
    remover_.finishRun();
    return allOk && !Cancellation::requested() ? 0 : 1;
}

EntryOutcome BatchRunner::eraseRecord(const std::string& word, const std::string& anchor,
                                      const std::string& relative) {
    const std::string shown = relative.empty() ? anchor : anchor + "/" + relative;
    SrmOptions options;
    std::string error;
    if (!SrmOptions::parseWord(word, options, error)) {
        reporter_.problem(shown, "bad option word: " + error);
        return EntryOutcome::failed(EntryReason::Error);
    }
    remover_.setScheme(options.scheme, options.zeroPass);

    AnchoredFolders::Holder holder;
    int err = 0;
    switch (folders_.open(anchor, relative, holder, err)) {
    case AnchoredFolders::Result::Found:
        break;
    case AnchoredFolders::Result::Missing:
        return {EntryStatus::Missing, EntryReason::None};
    case AnchoredFolders::Result::Changed:
        reporter_.problem(shown, "a folder on its way was replaced or mounted on during the run; "
                                 "not followed");
        return EntryOutcome::failed(EntryReason::Changed);
    case AnchoredFolders::Result::Error:
        reporter_.failure(shown, "open containing folder", err);
        return EntryOutcome::failed(EntryReason::Error);
    }
    EntryFacts facts;
    if (const int e = safewalk::readEntry(holder.fd, holder.leaf.c_str(), facts); e != 0) {
        if (e == ENOENT) {
            return {EntryStatus::Missing, EntryReason::None};
        }
        reporter_.failure(shown, "lstat", e);
        return EntryOutcome::failed(EntryReason::Error);
    }
    const SafeWalk::Kind kind = holder.topLevel ? SafeWalk::kindOf(facts, facts)
                                                : SafeWalk::kindOf(facts, folders_.anchorFacts());
    return remover_.eraseOne(holder.fd, holder.leaf, shown, facts, kind, holder.topLevel);
}

bool BatchRunner::writeResult(long index, const EntryOutcome& outcome) {
    std::string message = reporter_.reason().empty() ? "-" : reporter_.reason();
    for (char& c : message) {
        if (c == '\n' || c == '\t' || c == '\r') {
            c = ' ';
        }
    }
    // A fifth field carries notes, separated by commas: "journal" when the name of a removed
    // entry may remain in a file-system journal that this run cannot empty, "passes=K/N" when
    // a stop request cut its passes short after K of N.
    std::string notes;
    const bool removed =
        outcome.status == EntryStatus::Erased || outcome.status == EntryStatus::Stopped;
    if (removed && remover_.namesMayRemainInJournal()) {
        notes = "journal";
    }
    if (outcome.passesPlanned > outcome.passesDone) {
        notes += (notes.empty() ? "passes=" : ",passes=") + std::to_string(outcome.passesDone) +
                 "/" + std::to_string(outcome.passesPlanned);
    }
    const std::string line = std::to_string(index) + "\t" +
                             EntryOutcome::statusWord(outcome.status) + "\t" +
                             EntryOutcome::reasonWord(outcome.reason) + "\t" + message +
                             (notes.empty() ? "" : "\t" + notes) + "\n";
    const char* data = line.data();
    std::size_t left = line.size();
    while (left > 0) {
        const ssize_t n = ::write(outFd_, data, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        left -= std::size_t(n);
    }
    return true;
}

} // namespace srm

#include "BatchRunner.h"

#include "Cancellation.h"
#include "SrmOptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace srm {

using safewalk::EntryFacts;
using safewalk::SafeWalk;

namespace {

// Two descriptors per entry of a batch at most (the file and its folder), within what the
// process may open, with room left for the folders the walk holds.
std::size_t batchEntriesAllowed() {
    struct rlimit files {};
    if (::getrlimit(RLIMIT_NOFILE, &files) != 0 || files.rlim_cur == RLIM_INFINITY) {
        return FileBatch::kMaxEntries;
    }
    const std::size_t spare = files.rlim_cur > 512 ? std::size_t(files.rlim_cur - 256) / 2 : 16;
    return std::min(FileBatch::kMaxEntries, spare);
}

} // namespace

BatchRunner::BatchRunner(SecureRemover& remover, Reporter& reporter, int inFd, int outFd)
    : remover_(remover), reporter_(reporter), inFd_(inFd), outFd_(outFd),
      batch_(remover, batchEntriesAllowed()) {}

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
    long index = 0;
    std::string word, anchor, relative;
    while (!Cancellation::requested() && readField(word) && readField(anchor) &&
           readField(relative)) {
        addRecord(index++, word, anchor, relative);
        if (readerGone_ || (batch_.full() && !runBatch())) {
            return 1; // nobody reads the results any more
        }
    }
    // What was read but not begun is answered "cancelled" when a stop came meanwhile.
    if (!runBatch()) {
        return 1;
    }
    remover_.finishRun();
    return allOk_ && !Cancellation::requested() ? 0 : 1;
}

// The lines of a batch go out in one write once it is done, not one write per entry.
bool BatchRunner::runBatch() {
    batch_.run([this](const FileBatch::Result& result) {
        allOk_ = allOk_ && result.outcome.ok();
        appendResult(result);
        return true;
    });
    return writeResults();
}

void BatchRunner::addRecord(long index, const std::string& word, const std::string& anchor,
                            const std::string& relative) {
    const std::string shown = relative.empty() ? anchor : anchor + "/" + relative;
    reporter_.beginItem();
    const auto decided = [&](const EntryOutcome& outcome) {
        batch_.addDecided(index, outcome, reporter_.reason());
    };
    SrmOptions options;
    std::string error;
    if (!SrmOptions::parseWord(word, options, error)) {
        reporter_.problem(shown, "bad option word: " + error);
        return decided(EntryOutcome::failed(EntryReason::Error));
    }

    AnchoredFolders::Holder holder;
    int err = 0;
    switch (folders_.open(anchor, relative, holder, err)) {
    case AnchoredFolders::Result::Found:
        break;
    case AnchoredFolders::Result::Missing:
        return decided({EntryStatus::Missing, EntryReason::None});
    case AnchoredFolders::Result::Changed:
        reporter_.problem(shown, "a folder on its way was replaced or mounted on during the run; "
                                 "not followed");
        return decided(EntryOutcome::failed(EntryReason::Changed));
    case AnchoredFolders::Result::Error:
        reporter_.failure(shown, "open containing folder", err);
        return decided(EntryOutcome::failed(EntryReason::Error));
    }
    EntryFacts facts;
    if (const int e = safewalk::readEntry(holder.fd, holder.leaf.c_str(), facts); e != 0) {
        if (e == ENOENT) {
            return decided({EntryStatus::Missing, EntryReason::None});
        }
        reporter_.failure(shown, "lstat", e);
        return decided(EntryOutcome::failed(EntryReason::Error));
    }
    const SafeWalk::Kind kind = holder.topLevel ? SafeWalk::kindOf(facts, facts)
                                                : SafeWalk::kindOf(facts, folders_.anchorFacts());
    if (batch_.mustRunBefore(facts, kind) && !runBatch()) {
        readerGone_ = true;
        return;
    }
    batch_.add(index, holder.fd, holder.generation, holder.leaf, shown, facts, kind,
               holder.topLevel, options.scheme, options.zeroPass);
}

void BatchRunner::appendResult(const FileBatch::Result& result) {
    const EntryOutcome& outcome = result.outcome;
    std::string message = result.reason.empty() ? "-" : result.reason;
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
    if (removed && result.namesInJournal) {
        notes = "journal";
    }
    if (outcome.passesPlanned > outcome.passesDone) {
        notes += (notes.empty() ? "passes=" : ",passes=") + std::to_string(outcome.passesDone) +
                 "/" + std::to_string(outcome.passesPlanned);
    }
    results_ += std::to_string(result.index) + "\t" + EntryOutcome::statusWord(outcome.status) +
                "\t" + EntryOutcome::reasonWord(outcome.reason) + "\t" + message +
                (notes.empty() ? "" : "\t" + notes) + "\n";
}

bool BatchRunner::writeResults() {
    const char* data = results_.data();
    std::size_t left = results_.size();
    while (left > 0) {
        const ssize_t n = ::write(outFd_, data, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            results_.clear();
            return false;
        }
        data += n;
        left -= std::size_t(n);
    }
    results_.clear();
    return true;
}

} // namespace srm

#pragma once

#include "AnchoredFolders.h"
#include "EntryOutcome.h"
#include "FileBatch.h"
#include "Reporter.h"
#include "SecureRemover.h"

#include <string>

namespace srm {

// `srm --batch`: erases a list of entries read from standard input, one after the other, in one
// process, and answers one result line per entry, so a caller can show progress and a reason
// per item without starting a process for each file.
//
// Input: records of three fields, each ended by a NUL byte:
//     OPTIONWORD  ANCHOR  RELATIVE
// OPTIONWORD selects the scheme as on the command line ("-fsvrz", "-fEvrz", "-fmvrz", "-fvrz");
// ANCHOR is the path the user chose; RELATIVE the entry's path below it ("" for the anchor
// itself). Entries are erased in order, small files many at a time (FileBatch): a folder is
// removed only when it is empty by its turn, so the caller lists every folder after its
// contents.
//
// Output, one line per record, the lines of a batch written together once it is done:
//     INDEX TAB STATUS TAB REASON TAB MESSAGE NEWLINE
// INDEX counts records from 0; STATUS is erased, failed, skipped, cancelled, stopped or
// missing; REASON one of the words of EntryOutcome::reasonWord; MESSAGE the first problem met
// ("-" when none), without the path, on one line; an optional fifth field holds notes (see
// appendResult). The lines of a batch come when the batch is done. A stop request (SIGTERM) ends
// the run with the current entry or batch: a file whose passes had begun gets the pass under way
// finished and is removed ("stopped", with the note "passes=K/N"); one not begun yet is left
// untouched ("cancelled"); no entry after it is begun.
class BatchRunner {
public:
    BatchRunner(SecureRemover& remover, Reporter& reporter, int inFd, int outFd);

    // Exit status: 0 when every entry was erased or missing, 1 otherwise.
    int run();

private:
    bool readField(std::string& field);
    void addRecord(long index, const std::string& word, const std::string& anchor,
                   const std::string& relative);
    bool runBatch();
    void appendResult(const FileBatch::Result& result);
    bool writeResults();

    SecureRemover& remover_;
    Reporter& reporter_;
    int inFd_;
    int outFd_;
    AnchoredFolders folders_;
    FileBatch batch_;
    bool allOk_ = true;
    bool readerGone_ = false;
    std::string results_; // the lines of the batch just run, not written yet
    std::string buffer_;
    std::size_t bufferPos_ = 0;
    bool inputEnded_ = false;
};

} // namespace srm

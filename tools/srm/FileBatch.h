#pragma once

#include "EntryOutcome.h"
#include "PassPlan.h"
#include "SecureRemover.h"

#include "platform/walk/SafeWalk.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace srm {

// The batch mode's entries, erased many at a time so that a run over many small files waits for
// the device a few times per batch rather than two or more times per file. A batch is erased in
// steps, each for all of its files before the next:
//   1. every pass: the pass written to every file, each file's write-back waited for (its own
//      write errors), then one sync of each file system: the pass is on the device;
//   2. the blocks given back and the names hidden (each renamed once, to a short random name:
//      the folder is synced only once they all are), then one sync of each folder renamed in
//      (on ext2/3/4 and FAT a rename hides nothing, so there is none: see FolderFormat);
//   3. the names removed; then the folders, links and other entries of the batch one by one,
//      in their order (a folder goes once what was in it has gone);
//   4. one sync of each file system, so that the removals are durable too.
// So no file of a batch loses its name before every pass of it is on the device, as when files
// were erased one by one. A file that fails keeps its name; the others go on.
//
// A stop request before a batch begins leaves all of it untouched ("cancelled"). During the
// passes it lets the pass under way end for every file of the batch, then those files are
// removed ("stopped" after K of N passes, or erased when their passes were done); the entries
// of the batch that are not files are not begun. An empty file with no blocks gets no writes and
// is not even opened: it is looked at again before its rename and kept when it has gained data. A
// file of kAloneFrom bytes or more has a batch of its own and is erased as before (a sync after
// each of its passes): its writes take far longer than a sync, and a stop then finishes only that
// file's pass.
class FileBatch {
public:
    struct Result {
        long index = 0;
        EntryOutcome outcome;
        std::string reason;          // the first problem met, without the path ("" when none)
        bool namesInJournal = false; // see SecureRemover::namesMayRemainInJournal
    };
    using ResultSink = std::function<bool(const Result&)>;

    static constexpr std::uint64_t kMaxBytes = 64ull << 20;
    static constexpr std::size_t kMaxEntries = 4096;
    static constexpr std::uint64_t kAloneFrom = 4ull << 20;

    // MAXENTRIES is lowered where the process may not hold two descriptors per entry.
    explicit FileBatch(SecureRemover& remover, std::size_t maxEntries = kMaxEntries);
    ~FileBatch();
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    // An entry whose outcome is known when it is read (not found, changed, a bad record).
    void addDecided(long index, const EntryOutcome& outcome, const std::string& reason);
    // Entry NAME of the open folder FOLDERFD (held, duplicated, until the batch has run), as
    // seen in FACTS, to be erased with SCHEME; SHOWN names it in messages; TOPLEVEL as for
    // SecureRemover::eraseOne. While the caller's FOLDERGENERATION stays the same, the same
    // FOLDERFD is the same open folder (see AnchoredFolders::Holder).
    void add(long index, int folderFd, std::uint64_t folderGeneration, const std::string& name,
             const std::string& shown, const safewalk::EntryFacts& facts,
             safewalk::SafeWalk::Kind kind, bool topLevel, Scheme scheme, bool zeroPass);

    // True when an entry of FACTS and KIND must not join what the batch holds: run it first.
    bool mustRunBefore(const safewalk::EntryFacts& facts, safewalk::SafeWalk::Kind kind) const;
    bool full() const;
    bool empty() const { return entries_.empty(); }

    // Erases what the batch holds and hands every result to SINK in index order; the batch is
    // empty again. False when SINK refused a result (nobody reads them any more).
    bool run(const ResultSink& sink);

private:
    enum class Step { Decided, Overwrite, OneByOne };

    struct Entry {
        long index = 0;
        Step step = Step::Decided;
        std::shared_ptr<const int> folder;
        dev_t folderDevice = 0;
        std::string name;
        std::string shown;
        safewalk::EntryFacts facts;
        safewalk::SafeWalk::Kind kind = safewalk::SafeWalk::Kind::File;
        bool topLevel = false;
        Scheme scheme = Scheme::OnePass;
        bool zeroPass = false;
        std::vector<Pass> plan;
        // An empty file without blocks: nothing to overwrite, so it is never opened; only its
        // name goes, once it is seen to be still empty just before the rename.
        bool nameOnly = false;
        // While the batch runs.
        int fd = -1;
        bool live = false; // opened, and no failure so far
        bool skipped = false;
        std::uint64_t size = 0;
        std::uint64_t blockSize = 0;
        std::size_t passesDone = 0;
        std::string hiddenAs;
        Result result;
    };

    static bool goesAlone(const safewalk::EntryFacts& facts, safewalk::SafeWalk::Kind kind);
    std::shared_ptr<const int> holdFolder(int folderFd, std::uint64_t generation, dev_t& device);
    template <typename Work> void asItem(Entry& entry, Work work);
    void cancelAll();
    bool overwrite();
    void syncPass(std::vector<Entry*>& written);
    void fail(Entry& entry, EntryReason reason);
    void removeNames();
    static OpenFolder folderOf(const Entry& entry);
    void eraseOneByOne();
    void syncFileSystems();
    void closeAll();
    bool syncsEachFile(int fd, dev_t device);

    SecureRemover& remover_;
    std::size_t maxEntries_;
    std::vector<Entry> entries_;
    std::uint64_t bytes_ = 0;
    bool holdsAlone_ = false;
    // The folder last held, so that the entries of one folder share one descriptor.
    std::shared_ptr<const int> lastFolder_;
    int lastFolderSource_ = -1;
    std::uint64_t lastFolderGeneration_ = 0;
    dev_t lastFolderDev_ = 0;
    ino_t lastFolderIno_ = 0;
    std::map<dev_t, bool> eachFileSynced_; // per file system: see syncsEachFile()
};

} // namespace srm

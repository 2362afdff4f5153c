#include "FileBatch.h"

#include "Cancellation.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace srm {
namespace {

using safewalk::EntryFacts;
using safewalk::SafeWalk;

constexpr long kFuseMagic = 0x65735546;

} // namespace

FileBatch::FileBatch(SecureRemover& remover, std::size_t maxEntries)
    : remover_(remover), maxEntries_(std::max<std::size_t>(1, maxEntries)) {
    entries_.reserve(std::min(maxEntries_, kMaxEntries));
}

FileBatch::~FileBatch() {
    closeAll();
}

bool FileBatch::goesAlone(const EntryFacts& facts, SafeWalk::Kind kind) {
    return kind == SafeWalk::Kind::File && std::uint64_t(facts.st.st_size) >= kAloneFrom;
}

bool FileBatch::mustRunBefore(const EntryFacts& facts, SafeWalk::Kind kind) const {
    return !entries_.empty() && (holdsAlone_ || goesAlone(facts, kind));
}

bool FileBatch::full() const {
    return holdsAlone_ || entries_.size() >= maxEntries_ || bytes_ >= kMaxBytes;
}

std::shared_ptr<const int> FileBatch::holdFolder(int folderFd, std::uint64_t generation,
                                                 dev_t& device) {
    if (lastFolder_ && folderFd == lastFolderSource_ && generation == lastFolderGeneration_) {
        device = lastFolderDev_;
        return lastFolder_; // not closed since, so still the folder it was
    }
    struct stat st {};
    if (::fstat(folderFd, &st) != 0) {
        return nullptr;
    }
    device = st.st_dev;
    lastFolderGeneration_ = generation;
    if (lastFolder_ && folderFd == lastFolderSource_ && st.st_dev == lastFolderDev_ &&
        st.st_ino == lastFolderIno_) {
        return lastFolder_;
    }
    const int copy = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 3);
    if (copy < 0) {
        return nullptr;
    }
    lastFolder_ = std::shared_ptr<const int>(new int(copy), [](const int* fd) {
        ::close(*fd);
        delete fd;
    });
    lastFolderSource_ = folderFd;
    lastFolderDev_ = st.st_dev;
    lastFolderIno_ = st.st_ino;
    return lastFolder_;
}

void FileBatch::addDecided(long index, const EntryOutcome& outcome, const std::string& reason) {
    Entry& entry = entries_.emplace_back();
    entry.index = index;
    entry.result = {index, outcome, reason, false};
}

void FileBatch::add(long index, int folderFd, std::uint64_t folderGeneration,
                    const std::string& name, const std::string& shown, const EntryFacts& facts,
                    SafeWalk::Kind kind, bool topLevel, Scheme scheme, bool zeroPass) {
    Reporter& reporter = remover_.reporter();
    dev_t folderDevice = 0;
    std::shared_ptr<const int> folder = holdFolder(folderFd, folderGeneration, folderDevice);
    if (!folder) {
        reporter.beginItem();
        reporter.failure(shown, "hold containing folder", errno);
        addDecided(index, EntryOutcome::failed(EntryReason::Error), reporter.reason());
        return;
    }
    Entry& entry = entries_.emplace_back();
    entry.index = index;
    entry.result.index = index;
    entry.folder = std::move(folder);
    entry.folderDevice = folderDevice;
    entry.name = name;
    entry.shown = shown;
    entry.facts = facts;
    entry.kind = kind;
    entry.topLevel = topLevel;
    entry.scheme = scheme;
    entry.zeroPass = zeroPass;
    if (goesAlone(facts, kind)) {
        entry.step = Step::OneByOne;
        holdsAlone_ = true;
    } else if (kind == SafeWalk::Kind::File) {
        entry.step = Step::Overwrite;
        // Flags that would make the open clear them, or a second link, take the usual way.
        entry.nameOnly = facts.st.st_size == 0 && facts.st.st_blocks == 0 &&
                         facts.st.st_nlink == 1 && facts.protectionKnown && !facts.protectedEntry;
        remover_.setScheme(scheme, zeroPass);
        entry.plan = remover_.passPlan();
        // What one pass writes is what the batch's size bounds: the dirty data each sync waits
        // for, and how long a stop request waits for the pass under way.
        bytes_ += Overwriter::coveredLength(std::uint64_t(facts.st.st_size),
                                            std::uint64_t(facts.st.st_blksize));
    } else {
        entry.step = Step::OneByOne;
    }
}

// Runs WORK as the erasure of ENTRY: the first problem it reports becomes the entry's reason.
template <typename Work> void FileBatch::asItem(Entry& entry, Work work) {
    Reporter& reporter = remover_.reporter();
    reporter.beginItem();
    remover_.beginEntry();
    work();
    if (entry.result.reason.empty()) {
        entry.result.reason = reporter.reason();
    }
    entry.result.namesInJournal = entry.result.namesInJournal || remover_.namesMayRemainInJournal();
}

bool FileBatch::run(const ResultSink& sink) {
    if (!entries_.empty()) {
        if (Cancellation::requested() || !overwrite()) {
            cancelAll();
        } else {
            removeNames();
            eraseOneByOne();
            syncFileSystems();
        }
    }
    closeAll();
    bool delivered = true;
    for (const Entry& entry : entries_) {
        if (delivered) {
            delivered = sink(entry.result);
        }
    }
    entries_.clear();
    bytes_ = 0;
    holdsAlone_ = false;
    lastFolder_.reset();
    lastFolderSource_ = -1;
    return delivered;
}

// Nothing of the batch was begun: every entry not decided yet stays as it is.
void FileBatch::cancelAll() {
    for (Entry& entry : entries_) {
        if (entry.step == Step::Decided) {
            continue;
        }
        if (entry.fd >= 0) {
            ::close(entry.fd);
            entry.fd = -1;
        }
        entry.live = false;
        if (entry.result.outcome.status == EntryStatus::Failed) {
            continue; // could not be opened: failed, not cancelled
        }
        entry.result.outcome = {EntryStatus::Cancelled, EntryReason::Cancelled};
        if (entry.step == Step::Overwrite) {
            entry.result.reason = "cancelled before its first pass; left untouched";
        }
    }
}

// Step 1. False when a stop request came before the first pass: nothing was written.
bool FileBatch::overwrite() {
    std::size_t passes = 0;
    for (Entry& entry : entries_) {
        if (entry.step != Step::Overwrite) {
            continue;
        }
        if (entry.nameOnly) {
            entry.live = true;
            entry.passesDone = entry.plan.size();
            continue;
        }
        asItem(entry, [&] {
            struct stat opened {};
            entry.fd = remover_.openFile(*entry.folder, entry.name, entry.shown, entry.facts.st,
                                         opened, entry.result.outcome);
            if (entry.fd < 0) {
                return;
            }
            entry.live = true;
            entry.size = std::uint64_t(opened.st_size);
            entry.blockSize = std::uint64_t(opened.st_blksize);
            // An empty file has nothing to overwrite: only its name goes.
            entry.passesDone = entry.size == 0 ? entry.plan.size() : 0;
            if (entry.size > 0) {
                passes = std::max(passes, entry.plan.size());
            }
        });
    }
    Overwriter& overwriter = remover_.overwriter();
    for (std::size_t pass = 0; pass < passes; ++pass) {
        if (Cancellation::requested()) {
            if (pass == 0) {
                return false;
            }
            break;
        }
        std::vector<Entry*> written;
        for (Entry& entry : entries_) {
            if (!entry.live || entry.size == 0 || pass >= entry.plan.size()) {
                continue;
            }
            asItem(entry, [&] {
                if (overwriter.writePass(entry.fd, entry.shown, entry.size, entry.blockSize,
                                         entry.plan[pass], entry.skipped)) {
                    written.push_back(&entry);
                } else {
                    fail(entry, EntryReason::Error);
                }
            });
        }
        syncPass(written);
        for (Entry* entry : written) {
            if (entry->live) {
                entry->passesDone = pass + 1;
                overwriter.passDurable(pass, entry->plan[pass]);
            }
        }
    }
    for (Entry& entry : entries_) {
        if (!entry.live) {
            continue;
        }
        if (entry.skipped) {
            // Truncating would hand the unwritten blocks back to the free space with their
            // data: the file stays, so the failure is visible and can be dealt with.
            asItem(entry, [&] {
                remover_.reporter().problem(
                    entry.shown, "some blocks could not be overwritten; the file was kept");
            });
            fail(entry, EntryReason::BlocksSkipped);
        } else if (entry.passesDone < entry.plan.size()) {
            entry.result.outcome = {EntryStatus::Stopped, EntryReason::Cancelled, entry.passesDone,
                                    entry.plan.size()};
        }
    }
    return true;
}

// Makes the pass just written durable for every file in WRITTEN: each file's write-back is
// waited for (so a write error is its own), then each file system is synced once.
void FileBatch::syncPass(std::vector<Entry*>& written) {
    FileSystemCalls& calls = remover_.fileSystemCalls();
    std::map<dev_t, int> fileSystems;
    for (Entry* entry : written) {
        const dev_t device = entry->facts.st.st_dev;
        const int err = syncsEachFile(entry->fd, device) ? calls.syncFile(entry->fd)
                                                         : calls.waitForWriteback(entry->fd);
        if (err != 0) {
            asItem(*entry,
                   [&] { remover_.reporter().failure(entry->shown, "write back the pass", err); });
            fail(*entry, EntryReason::Error);
            continue;
        }
        fileSystems.emplace(device, entry->fd);
    }
    for (const auto& [device, fd] : fileSystems) {
        const int err = calls.syncFileSystem(fd);
        if (err == 0) {
            continue;
        }
        // Which file's data missed the device cannot be told: none of them counts as written.
        for (Entry* entry : written) {
            if (entry->live && entry->facts.st.st_dev == device) {
                asItem(*entry,
                       [&] { remover_.reporter().failure(entry->shown, "sync the pass", err); });
                fail(*entry, EntryReason::Error);
            }
        }
    }
}

// FUSE file systems sync nothing on syncfs(2): there each file is synced itself, as the
// daemon behind it passes fsync on to its own storage.
bool FileBatch::syncsEachFile(int fd, dev_t device) {
    const auto known = eachFileSynced_.find(device);
    if (known != eachFileSynced_.end()) {
        return known->second;
    }
    struct statfs fs {};
    const bool each = ::fstatfs(fd, &fs) != 0 || long(fs.f_type) == kFuseMagic;
    eachFileSynced_.emplace(device, each);
    return each;
}

void FileBatch::fail(Entry& entry, EntryReason reason) {
    const std::size_t done = entry.passesDone;
    entry.result.outcome = EntryOutcome::failed(reason);
    if (done < entry.plan.size() && Cancellation::requested()) {
        entry.result.outcome.passesDone = done;
        entry.result.outcome.passesPlanned = entry.plan.size();
    }
    entry.live = false;
    if (entry.fd >= 0) {
        ::close(entry.fd);
        entry.fd = -1;
    }
}

OpenFolder FileBatch::folderOf(const Entry& entry) {
    return {*entry.folder, entry.folderDevice, true};
}

// Steps 2 and 3 for the overwritten files.
void FileBatch::removeNames() {
    FileSystemCalls& calls = remover_.fileSystemCalls();
    // The hidden names of one folder wait side by side until the folder is synced: long enough
    // that a random one is free at least three times in four (62 letters).
    std::map<const int*, std::size_t> waiting;
    for (const Entry& entry : entries_) {
        if (entry.live) {
            ++waiting[entry.folder.get()];
        }
    }
    for (auto& [folder, count] : waiting) {
        std::size_t length = 1;
        for (std::uint64_t names = 62; names < 4 * std::uint64_t(count); names *= 62) {
            ++length;
        }
        count = length;
    }
    // A folder being erased too loses its protection once for the whole batch.
    std::vector<const int*> protectionCleared;
    for (const Entry& entry : entries_) {
        if (entry.live && !entry.topLevel &&
            (protectionCleared.empty() || protectionCleared.back() != entry.folder.get())) {
            protectionCleared.push_back(entry.folder.get());
            SecureRemover::clearFolderProtection(*entry.folder);
        }
    }
    std::vector<const int*> renamedIn;
    for (Entry& entry : entries_) {
        if (!entry.live) {
            continue;
        }
        asItem(entry, [&] {
            const int fd = entry.fd;
            entry.fd = -1;
            if ((!entry.nameOnly && !remover_.releaseBlocks(fd, entry.shown)) ||
                !remover_.hideForRemoval(folderOf(entry), entry.name, entry.shown, false,
                                         entry.facts.st, entry.topLevel, entry.hiddenAs,
                                         waiting[entry.folder.get()], true, entry.nameOnly)) {
                fail(entry, EntryReason::Error);
                return;
            }
            if (entry.hiddenAs != entry.name &&
                (renamedIn.empty() || renamedIn.back() != entry.folder.get())) {
                renamedIn.push_back(entry.folder.get());
            }
        });
    }
    // One sync per folder: the short names replace the originals on the device before the
    // entries go. (Entries of one folder follow each other, so the list has few repeats.)
    std::sort(renamedIn.begin(), renamedIn.end());
    renamedIn.erase(std::unique(renamedIn.begin(), renamedIn.end()), renamedIn.end());
    for (const int* folder : renamedIn) {
        calls.syncFolder(*folder);
    }
    for (Entry& entry : entries_) {
        if (!entry.live) {
            continue;
        }
        asItem(entry, [&] {
            if (!remover_.removeHidden(folderOf(entry), entry.name, entry.hiddenAs, entry.shown,
                                       false, entry.facts.st, entry.topLevel)) {
                fail(entry, EntryReason::Error);
                return;
            }
            const EntryOutcome& outcome = entry.result.outcome;
            if (outcome.status == EntryStatus::Stopped) {
                remover_.reporter().problem(
                    entry.shown, "stopped after pass " + std::to_string(outcome.passesDone) +
                                     " of " + std::to_string(outcome.passesPlanned) + "; removed");
            } else {
                remover_.reporter().progress(entry.shown, "removed");
            }
        });
        entry.live = false;
    }
}

// Step 3 for the rest, in order: nothing is begun after a stop request.
void FileBatch::eraseOneByOne() {
    for (Entry& entry : entries_) {
        if (entry.step != Step::OneByOne) {
            continue;
        }
        if (Cancellation::requested()) {
            entry.result.outcome = {EntryStatus::Cancelled, EntryReason::Cancelled};
            continue;
        }
        asItem(entry, [&] {
            remover_.setScheme(entry.scheme, entry.zeroPass);
            entry.result.outcome = remover_.eraseOne(*entry.folder, entry.name, entry.shown,
                                                     entry.facts, entry.kind, entry.topLevel);
        });
    }
}

// Step 4: the removals of the batch made durable, once per file system.
void FileBatch::syncFileSystems() {
    std::map<dev_t, const int*> fileSystems;
    for (const Entry& entry : entries_) {
        if (entry.folder) {
            fileSystems.emplace(entry.facts.st.st_dev, entry.folder.get());
        }
    }
    for (const auto& [device, fd] : fileSystems) {
        remover_.fileSystemCalls().syncFileSystem(*fd);
    }
}

void FileBatch::closeAll() {
    for (Entry& entry : entries_) {
        if (entry.fd >= 0) {
            ::close(entry.fd);
            entry.fd = -1;
        }
    }
}

} // namespace srm

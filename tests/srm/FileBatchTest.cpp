// The batch mode overwrites many files before one sync per pass and removes them after it. A
// recording of the calls that decide durability (writes, write-back waits, syncs, renames,
// removals) shows the order a crash could cut: no name of a batch may go, or change, before
// every pass of the batch is on the device.
#include "BatchRunner.h"
#include "Cancellation.h"
#include "FileSystemCalls.h"
#include "FolderFormat.h"
#include "SeededRandom.h"
#include "SrmProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

using srmtest::exists;
using srmtest::readFile;
using srmtest::TempFolder;
using srmtest::writeFile;

struct Event {
    std::string op; // write, wait, syncfile, syncfolder, syncfs, rename, unlink
    int fd = -1;
    std::string name; // renamed to, or removed
    int error = 0;
};

// The real calls, recorded; FAULT may answer an errno instead of making one.
class RecordingCalls : public srm::FileSystemCalls {
public:
    std::vector<Event> events;
    std::function<int(const std::string& op, int fd)> fault = [](const std::string&, int) {
        return 0;
    };

    int waitForWriteback(int fd) override {
        return record("wait", fd, [&] { return FileSystemCalls::waitForWriteback(fd); });
    }
    int syncFile(int fd) override {
        return record("syncfile", fd, [&] { return FileSystemCalls::syncFile(fd); });
    }
    int syncFolder(int fd) override {
        return record("syncfolder", fd, [&] { return FileSystemCalls::syncFolder(fd); });
    }
    int syncFileSystem(int fd) override {
        return record("syncfs", fd, [&] { return FileSystemCalls::syncFileSystem(fd); });
    }
    int rename(int dirFd, const std::string& from, const std::string& to, bool noReplace) override {
        return record(
            "rename", dirFd, [&] { return FileSystemCalls::rename(dirFd, from, to, noReplace); },
            to);
    }
    int unlink(int dirFd, const std::string& name, bool folder) override {
        return record(
            "unlink", dirFd, [&] { return FileSystemCalls::unlink(dirFd, name, folder); }, name);
    }

private:
    int record(const char* op, int fd, const std::function<int()>& real,
               const std::string& name = {}) {
        const int injected = fault(op, fd);
        const int error = injected != 0 ? injected : real();
        events.push_back({op, fd, name, error});
        return error;
    }
};

using Record = srmtest::BatchRecord;

// True when names in the folder PATH are hidden by renames before their removal.
bool renamesHideNamesIn(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool renames = fd >= 0 && srm::FolderFormat::of(fd).renamesHideNames();
    ::close(fd);
    return renames;
}

// A fresh folder where names are hidden by renames (tmpfs), for the tests of the renames.
std::unique_ptr<TempFolder> renamingFolder() {
    auto dir = std::make_unique<TempFolder>("/dev/shm");
    return renamesHideNamesIn(dir->path()) ? std::move(dir) : nullptr;
}

// Runs the batch mode in this process over RECORDS with CALLS; the result lines, split.
std::vector<std::vector<std::string>>
runBatch(const TempFolder& dir, const std::vector<Record>& records, RecordingCalls& calls) {
    writeFile(dir / "input", srmtest::batchInput(records));
    const int in = ::open((dir / "input").c_str(), O_RDONLY | O_CLOEXEC);
    const int out = ::open((dir / "output").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    srm::SrmOptions options;
    srmtest::SeededRandom random(11);
    std::ostringstream sink;
    srm::Reporter reporter(sink, sink, false);
    srm::SecureRemover remover(options, random, reporter);
    remover.setFileSystemCalls(calls);
    remover.overwriter().setWriteFunction([&calls](int fd, const void* buf, size_t len, off_t at) {
        calls.events.push_back({"write", fd, {}, 0});
        return ::pwrite(fd, buf, len, at);
    });
    srm::Cancellation::reset();
    srm::BatchRunner(remover, reporter, in, out).run();
    ::close(in);
    ::close(out);
    return srmtest::resultLines(readFile(dir / "output"));
}

std::size_t firstOf(const std::vector<Event>& events, const std::string& op) {
    const auto it =
        std::find_if(events.begin(), events.end(), [&](const Event& e) { return e.op == op; });
    return std::size_t(it - events.begin());
}

std::size_t lastOf(const std::vector<Event>& events, const std::string& op) {
    std::size_t last = events.size();
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].op == op) {
            last = i;
        }
    }
    return last;
}

// Two folders of small files and empty files, three passes: every pass of every file is
// written, then the file system synced once, before the next pass; all passes are on the
// device before the first rename or removal; the renames are synced once per folder before
// the first removal; the empty files get no write at all.
TEST(SrmFileBatch, EveryPassOfTheBatchIsOnTheDeviceBeforeAnyNameGoes) {
    const std::unique_ptr<TempFolder> renaming = renamingFolder();
    if (!renaming)
        GTEST_SKIP() << "no tmpfs at /dev/shm, where names are renamed before their removal";
    const TempFolder& dir = *renaming;
    const std::string top = dir / "sel";
    std::vector<Record> records;
    for (const char* folder : {"a", "b"}) {
        ::mkdir((top).c_str(), 0700);
        ::mkdir((top + "/" + folder).c_str(), 0700);
        for (int i = 0; i < 20; ++i) {
            const std::string relative = std::string(folder) + "/f" + std::to_string(i);
            writeFile(top + "/" + relative, std::string(3000, char('a' + i)));
            records.push_back({"-fEvr", top, relative});
        }
        for (int i = 0; i < 5; ++i) {
            const std::string relative = std::string(folder) + "/empty" + std::to_string(i);
            writeFile(top + "/" + relative, "");
            records.push_back({"-fEvr", top, relative});
        }
        records.push_back({"-fEvr", top, folder});
    }
    records.push_back({"-fEvr", top, ""});

    RecordingCalls calls;
    const auto lines = runBatch(dir, records, calls);
    ASSERT_EQ(lines.size(), records.size());
    for (const auto& line : lines) {
        EXPECT_EQ(line[1], "erased") << line[0] << ": " << line[3];
    }
    EXPECT_FALSE(exists(top));

    const std::vector<Event>& events = calls.events;
    const std::size_t firstRename = firstOf(events, "rename");
    const std::size_t firstUnlink = firstOf(events, "unlink");
    ASSERT_LT(firstRename, events.size());
    ASSERT_LT(lastOf(events, "write"), firstRename) << "a name changed before a pass was written";
    // The passes: 40 files written, then one sync of the file system, three times.
    std::vector<std::size_t> writesPerPass;
    std::size_t writes = 0;
    std::map<int, int> writesPerFile;
    for (std::size_t i = 0; i < firstRename; ++i) {
        if (events[i].op == "write") {
            ++writes;
            ++writesPerFile[events[i].fd];
        } else if (events[i].op == "syncfs") {
            writesPerPass.push_back(writes);
            writes = 0;
        }
    }
    EXPECT_EQ(writes, 0u) << "writes after the last sync before the first rename";
    EXPECT_EQ(writesPerPass, (std::vector<std::size_t>{40, 40, 40}));
    EXPECT_EQ(writesPerFile.size(), 40u) << "only the files with data are written";
    // The renames of the files, then one sync of each of the two folders, then the removals.
    const std::size_t lastFileRename = [&] {
        std::size_t last = 0;
        for (std::size_t i = 0; i < firstUnlink; ++i) {
            if (events[i].op == "rename") {
                last = i;
            }
        }
        return last;
    }();
    std::size_t folderSyncs = 0;
    for (std::size_t i = lastFileRename; i < firstUnlink; ++i) {
        folderSyncs += events[i].op == "syncfolder" ? 1 : 0;
    }
    EXPECT_EQ(folderSyncs, 2u);
    EXPECT_EQ(firstOf(events, "syncfile"), events.size()) << "no file synced one by one";
}

// A file whose write-back fails keeps its name and the others of the batch go on; a failed
// sync of the file system cannot tell whose data missed the device, so no file of the batch
// loses its name.
TEST(SrmFileBatch, AFailedSyncKeepsTheFilesItCoversAndOnlyThose) {
    struct Case {
        const char* what;
        std::string failingOp;
        bool onlySecondFile;
        std::vector<std::string> expected;
    };
    for (const Case& c :
         {Case{"write-back of one file", "wait", true, {"erased", "failed", "erased"}},
          Case{"sync of the file system", "syncfs", false, {"failed", "failed", "failed"}}}) {
        TempFolder dir;
        std::vector<Record> records;
        for (int i = 0; i < 3; ++i) {
            writeFile(dir / ("f" + std::to_string(i)), std::string(5000, char('0' + i)));
            records.push_back({"-fsvr", dir / ("f" + std::to_string(i)), ""});
        }
        RecordingCalls calls;
        int waits = 0;
        calls.fault = [&](const std::string& op, int) {
            if (op != c.failingOp) {
                return 0;
            }
            return !c.onlySecondFile || ++waits == 2 ? EIO : 0;
        };
        const auto lines = runBatch(dir, records, calls);
        ASSERT_EQ(lines.size(), 3u) << c.what;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(lines[i][1], c.expected[i]) << c.what << ", file " << i;
            EXPECT_EQ(exists(dir / ("f" + std::to_string(i))), c.expected[i] == "failed")
                << c.what << ", file " << i;
        }
        EXPECT_EQ(firstOf(calls.events, "unlink") < calls.events.size(), c.expected[0] == "erased")
            << c.what;
    }
}

// 300 files of one folder wait hidden side by side until the folder is synced: their names
// stop at two letters, as one-letter names would run out (62 of them) and leave most files
// under longer names after a string of refused renames.
TEST(SrmFileBatch, HiddenNamesOfOneFolderDoNotRunOut) {
    const std::unique_ptr<TempFolder> renaming = renamingFolder();
    if (!renaming)
        GTEST_SKIP() << "no tmpfs at /dev/shm, where names are renamed before their removal";
    const TempFolder& dir = *renaming;
    const std::string top = dir / "many";
    ::mkdir(top.c_str(), 0700);
    std::vector<Record> records;
    for (int i = 0; i < 300; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "file%04d", i);
        writeFile(top + "/" + name, "x");
        records.push_back({"-fsvr", top, name});
    }
    RecordingCalls calls;
    const auto lines = runBatch(dir, records, calls);
    ASSERT_EQ(lines.size(), records.size());
    std::size_t taken = 0, removed = 0;
    for (const Event& e : calls.events) {
        taken += e.op == "rename" && e.error == EEXIST ? 1 : 0;
        if (e.op == "unlink") {
            ++removed;
            EXPECT_LE(e.name.size(), 2u) << "hidden only as " << e.name;
        }
    }
    EXPECT_EQ(removed, records.size());
    EXPECT_LT(taken, records.size() / 4) << "renames that found their name taken";
    for (const auto& line : lines) {
        EXPECT_EQ(line[1], "erased") << line[3];
    }
}

// An empty file has nothing to overwrite: it is never opened. Looked at again before its rename,
// one that gained data meanwhile (here while the other file's pass is synced) is kept with that
// data, which no pass covered, and reported; its neighbour is erased as usual.
TEST(SrmFileBatch, AnEmptyFileIsNotOpenedAndKeptWhenItGainsDataMeanwhile) {
    TempFolder dir;
    const std::string top = dir / "tree";
    ::mkdir(top.c_str(), 0700);
    writeFile(top + "/empty", "");
    writeFile(top + "/filled", "");
    writeFile(top + "/small", "x");
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, top.c_str(), IN_OPEN), 0);
    RecordingCalls calls;
    bool written = false;
    calls.fault = [&](const std::string& op, int) {
        if (op == "syncfs" && !written) {
            written = true;
            writeFile(top + "/filled", "written during the run");
        }
        return 0;
    };
    const auto lines = runBatch(
        dir, {{"-fsvr", top, "empty"}, {"-fsvr", top, "filled"}, {"-fsvr", top, "small"}}, calls);
    std::map<std::string, int> opened;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            if (event->len > 0) {
                ++opened[event->name];
            }
            p += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watch);
    ASSERT_TRUE(written);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0][1], "erased") << lines[0][3];
    EXPECT_EQ(lines[1][1], "failed");
    EXPECT_EQ(lines[2][1], "erased") << lines[2][3];
    EXPECT_FALSE(exists(top + "/empty"));
    EXPECT_FALSE(exists(top + "/small"));
    ASSERT_TRUE(exists(top + "/filled"));
    EXPECT_EQ(readFile(top + "/filled"), "written during the run");
    EXPECT_EQ(opened["empty"], 0);
    EXPECT_GE(opened["small"], 1); // the watch does see the files the batch opens
}

} // namespace

// On ext2/3/4 a rename would only add the new name elsewhere and remove the old entry as the
// removal does: the files and empty files of a batch are removed under their own names, with
// no rename and no sync of the folder for one, and the passes are still on the device first.
TEST(SrmFileBatch, OnExtNamesAreRemovedWithoutRenames) {
    TempFolder dir("/var/tmp");
    struct statfs fs {};
    if (::statfs(dir.path().c_str(), &fs) != 0 || fs.f_type != 0xEF53)
        GTEST_SKIP() << "/var/tmp is not on ext2/3/4 here";
    const std::string top = dir / "sel";
    ::mkdir(top.c_str(), 0700);
    std::vector<Record> records;
    for (const std::string name : {"data", "empty"}) {
        writeFile(top + "/" + name, name == "data" ? std::string(3000, 'd') : std::string());
        records.push_back({"-fsvr", top, name});
    }
    RecordingCalls calls;
    const auto lines = runBatch(dir, records, calls);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0][1], "erased") << lines[0][3];
    EXPECT_EQ(lines[1][1], "erased") << lines[1][3];
    EXPECT_FALSE(exists(top + "/data"));
    EXPECT_FALSE(exists(top + "/empty"));
    std::vector<std::string> removed;
    for (const Event& e : calls.events) {
        EXPECT_NE(e.op, "rename") << "renamed to " << e.name;
        EXPECT_NE(e.op, "syncfolder");
        if (e.op == "unlink")
            removed.push_back(e.name);
    }
    EXPECT_EQ(removed, (std::vector<std::string>{"data", "empty"}));
    EXPECT_LT(firstOf(calls.events, "syncfs"), firstOf(calls.events, "unlink"))
        << "the pass is synced before the first removal";
}

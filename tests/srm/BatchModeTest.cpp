// srm --batch: many entries in one process, one result line each, resolved below their anchor
// without following links or entering mounts.
#include "BatchRunner.h"
#include "Cancellation.h"
#include "FileBatch.h"
#include "SeededRandom.h"
#include "SrmProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using srmtest::exists;
using srmtest::readFile;
using srmtest::TempFolder;
using srmtest::writeFile;

using Record = srmtest::BatchRecord;
using srmtest::batchInput;
using srmtest::resultLines;

TEST(SrmBatch, AnswersOneLinePerEntryWithItsStatusAndReason) {
    TempFolder dir;
    const std::string top = dir / "sel";
    ::mkdir(top.c_str(), 0700);
    ::mkdir((top + "/sub").c_str(), 0700);
    writeFile(top + "/sub/secret", std::string(9000, 'S'));
    writeFile(top + "/linked", "shared");
    ASSERT_EQ(::link((top + "/linked").c_str(), (dir / "outside").c_str()), 0);
    writeFile(dir / "target", "keep");
    ASSERT_EQ(::symlink((dir / "target").c_str(), (top + "/link").c_str()), 0);

    const srmtest::SrmResult r =
        srmtest::runSrmWithInput({"--batch"}, batchInput({{"-fsvrz", top, "sub/secret"},
                                                          {"-fEvrz", top, "sub"},
                                                          {"-fsvrz", top, "linked"},
                                                          {"-fsvrz", top, "link"},
                                                          {"-fsvrz", top, "never/was"},
                                                          {"-fsvrz", top, ""}}));
    EXPECT_EQ(r.status, 1);
    const auto lines = resultLines(r.out);
    ASSERT_EQ(lines.size(), 6u) << r.out;
    const std::vector<std::pair<std::string, std::string>> expected{
        {"erased", "-"}, {"erased", "-"},  {"failed", "hardlink"},
        {"erased", "-"}, {"missing", "-"}, {"failed", "notempty"}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].size(), 4u) << r.out;
        EXPECT_EQ(lines[i][0], std::to_string(i));
        EXPECT_EQ(lines[i][1], expected[i].first) << i << ": " << lines[i][3];
        EXPECT_EQ(lines[i][2], expected[i].second) << i << ": " << lines[i][3];
    }
    EXPECT_NE(lines[2][3].find("still reachable through another name"), std::string::npos);
    EXPECT_EQ(lines[2][3].find(top), std::string::npos) << "the reason carries no path";
    // What failed stays where and as it was: the folder keeps its name and the linked file.
    EXPECT_EQ(readFile(top + "/linked"), "shared");
    EXPECT_EQ(readFile(dir / "outside"), "shared");
    EXPECT_EQ(readFile(dir / "target"), "keep");
    EXPECT_FALSE(exists(top + "/sub"));
    EXPECT_FALSE(exists(top + "/link"));
}

// A path far beyond PATH_MAX and names that are not UTF-8 are erased like any other, through
// the folders opened one by one below the anchor.
TEST(SrmBatch, DeepPathsAndRawNamesAreErasedExactly) {
    TempFolder dir;
    const std::string top = dir / "deep";
    ::mkdir(top.c_str(), 0700);
    int fd = ::open(top.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    const std::string level(200, 'd');
    std::vector<Record> records;
    std::string relative;
    for (int i = 0; i < 30; ++i) {
        ASSERT_EQ(::mkdirat(fd, level.c_str(), 0700), 0);
        const int next = ::openat(fd, level.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
        relative += (relative.empty() ? "" : "/") + level;
    }
    const std::string raw = std::string("na\xff\xfe") + "me\nx";
    const int file = ::openat(fd, raw.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(file, 0);
    ASSERT_EQ(::write(file, "deep secret", 11), 11);
    ::close(file);
    ::close(fd);
    ASSERT_GT(relative.size(), std::size_t(PATH_MAX));

    records.push_back({"-fsvrz", top, relative + "/" + raw});
    for (std::string r = relative; !r.empty();) {
        records.push_back({"-fsvrz", top, r});
        const std::size_t slash = r.rfind('/');
        r = slash == std::string::npos ? std::string() : r.substr(0, slash);
    }
    records.push_back({"-fsvrz", top, ""});
    const srmtest::SrmResult r = srmtest::runSrmWithInput({"--batch"}, batchInput(records));
    EXPECT_EQ(r.status, 0) << r.err;
    const auto lines = resultLines(r.out);
    ASSERT_EQ(lines.size(), records.size());
    for (const auto& line : lines) {
        EXPECT_EQ(line[1], "erased") << line[3];
    }
    EXPECT_FALSE(exists(top));
}

// A folder swapped for a link after the entries were planned is not followed: the entries
// below it fail and the link's target keeps everything.
TEST(SrmBatch, FolderSwappedForALinkIsNotFollowed) {
    TempFolder dir;
    const std::string top = dir / "sel";
    ::mkdir(top.c_str(), 0700);
    ::mkdir((dir / "precious").c_str(), 0700);
    writeFile(dir / "precious/file", "keep");
    ASSERT_EQ(::symlink((dir / "precious").c_str(), (top + "/sub").c_str()), 0);
    const srmtest::SrmResult r = srmtest::runSrmWithInput(
        {"--batch"}, batchInput({{"-fsvrz", top, "sub/file"}, {"-fsvrz", top, "sub"}}));
    const auto lines = resultLines(r.out);
    ASSERT_EQ(lines.size(), 2u) << r.out;
    EXPECT_EQ(lines[0][1], "failed");
    EXPECT_EQ(lines[0][2], "changed");
    EXPECT_EQ(lines[1][1], "erased") << "the link itself is inside the selection";
    EXPECT_EQ(readFile(dir / "precious/file"), "keep");
}

// The mount ids tell a bind mount of the same file system apart, which st_dev cannot: neither
// -r nor the batch mode enters it.
TEST(SrmBatch, BindMountOfTheSameFileSystemIsNeverEntered) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "bind mounts need root";
    }
    TempFolder dir;
    ::mkdir((dir / "keep").c_str(), 0700);
    writeFile(dir / "keep/data", "outside the selection");
    for (const char* mode : {"-r", "batch"}) {
        const std::string top = dir / "sel";
        ::mkdir(top.c_str(), 0700);
        ::mkdir((top + "/bind").c_str(), 0700);
        writeFile(top + "/mine", "erase me");
        if (::mount((dir / "keep").c_str(), (top + "/bind").c_str(), nullptr, MS_BIND, nullptr) !=
            0) {
            GTEST_SKIP() << "cannot bind-mount here";
        }
        srmtest::SrmResult r =
            std::string(mode) == "-r"
                ? srmtest::runSrm({"-fsvrz", top})
                : srmtest::runSrmWithInput({"--batch"}, batchInput({{"-fsvrz", top, "bind/data"},
                                                                    {"-fsvrz", top, "bind"},
                                                                    {"-fsvrz", top, "mine"},
                                                                    {"-fsvrz", top, ""}}));
        ::umount((top + "/bind").c_str());
        EXPECT_EQ(r.status, 1) << mode;
        EXPECT_EQ(readFile(dir / "keep/data"), "outside the selection") << mode;
        EXPECT_FALSE(exists(top + "/mine")) << mode;
        EXPECT_TRUE(exists(top + "/bind")) << mode;
        if (std::string(mode) == "batch") {
            const auto lines = resultLines(r.out);
            ASSERT_EQ(lines.size(), 4u);
            EXPECT_EQ(lines[0][2], "changed") << "below the mount point nothing is reached";
            EXPECT_EQ(lines[1][1], "skipped");
            EXPECT_EQ(lines[1][2], "mount");
        }
        ::rmdir((top + "/bind").c_str());
        ::rmdir(top.c_str());
    }
}

// A stop request during the passes of a batch lets the pass under way end for every file of
// the batch, skips the passes after it, removes those files (they hold pattern now, not the
// user's data) with how many passes ran, and begins nothing else: neither the folder of the
// batch nor the next batch (a large file, which has one of its own).
TEST(SrmBatch, StopDuringThePassesRemovesTheBatchAfterItsPassAndEndsTheRun) {
    TempFolder dir;
    writeFile(dir / "one", std::string(20000, '1'));
    writeFile(dir / "two", std::string(20000, '2'));
    ::mkdir((dir / "empty").c_str(), 0700);
    const std::string big(srm::FileBatch::kAloneFrom, 'B');
    writeFile(dir / "big", big);
    const std::string input = batchInput({{"-fmvrz", dir / "one", ""},
                                          {"-fsvrz", dir / "two", ""},
                                          {"-fsvrz", dir / "empty", ""},
                                          {"-fsvrz", dir / "big", ""}});
    const std::string inPath = dir / "input";
    writeFile(inPath, input);
    const int in = ::open(inPath.c_str(), O_RDONLY);
    const std::string outPath = dir / "output";
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(in, 0);
    ASSERT_GE(out, 0);

    srm::SrmOptions options;
    srmtest::SeededRandom random(3);
    std::ostringstream sink;
    srm::Reporter reporter(sink, sink, false);
    srm::SecureRemover remover(options, random, reporter);
    remover.overwriter().setPassObserver([](std::size_t index, const srm::Pass&) {
        if (index == 1) {
            srm::Cancellation::request();
        }
    });
    srm::Cancellation::reset();
    const int status = srm::BatchRunner(remover, reporter, in, out).run();
    srm::Cancellation::reset();
    ::close(in);
    ::close(out);
    EXPECT_EQ(status, 1);
    const auto lines = resultLines(readFile(outPath));
    ASSERT_EQ(lines.size(), 4u);
    ASSERT_EQ(lines[0].size(), 5u);
    EXPECT_EQ(lines[0][1], "stopped");
    EXPECT_EQ(lines[0][2], "cancelled");
    EXPECT_EQ(lines[0][3], "stopped after pass 2 of 8; removed");
    EXPECT_EQ(lines[0][4], "passes=2/8");
    EXPECT_FALSE(exists(dir / "one")) << "a stopped file must not stay under its own name";
    EXPECT_EQ(lines[1][1], "erased") << "its only pass was done: " << lines[1][3];
    EXPECT_FALSE(exists(dir / "two"));
    EXPECT_EQ(lines[2][1], "cancelled");
    EXPECT_TRUE(exists(dir / "empty"));
    EXPECT_EQ(lines[3][1], "cancelled");
    EXPECT_EQ(readFile(dir / "big"), big);
}

} // namespace

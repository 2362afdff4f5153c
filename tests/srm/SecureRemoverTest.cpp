#include "SecureRemover.h"
#include "SeededRandom.h"
#include "SrmProcess.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

using srmtest::exists;
using srmtest::readFile;
using srmtest::runSrm;
using srmtest::TempFolder;
using srmtest::writeFile;

std::size_t countLines(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        n += line.find(part) != std::string::npos;
    }
    return n;
}

TEST(SecureRemover, EachEngineWordOverwritesWithItsPassesThenRemoves) {
    TempFolder dir;
    struct Case {
        const char* word;
        std::size_t passes;
        std::size_t zeroPasses; // the scheme's own zero passes and the last one of -z
    };
    for (Case c :
         {Case{"-fsvrz", 2, 1}, Case{"-fEvrz", 4, 1}, Case{"-fmvrz", 8, 3}, Case{"-fvrz", 36, 2}}) {
        const std::string path = dir / "secret.txt";
        writeFile(path, std::string(10000, 'S'));
        srmtest::SrmResult r = runSrm({c.word, path});
        EXPECT_EQ(r.status, 0) << c.word << "\n" << r.err;
        EXPECT_FALSE(exists(path)) << c.word;
        EXPECT_EQ(countLines(r.out, ": pass "), c.passes) << c.word << "\n" << r.out;
        EXPECT_EQ(countLines(r.out, "(000000)..."), c.zeroPasses) << c.word;
        EXPECT_TRUE(r.err.empty()) << r.err;
    }
    // Nothing but the erased file was touched, and no renamed leftover stays behind.
    EXPECT_EQ(::rmdir(dir.path().c_str()), 0);
    ::mkdir(dir.path().c_str(), 0700);
}

// Watches the file itself between passes: the content is really replaced before the name goes.
TEST(SecureRemover, ContentIsReplacedBeforeTheNameGoes) {
    TempFolder dir;
    const std::string path = dir / "plain";
    const std::string secret(70000, 'K');
    writeFile(path, secret);
    srm::SrmOptions options;
    options.scheme = srm::Scheme::ThreePass;
    options.zeroPass = true;
    srmtest::SeededRandom random(9);
    std::ostringstream out, err;
    srm::Reporter reporter(out, err, false);
    srm::SecureRemover remover(options, random, reporter);
    std::vector<std::string> contents;
    remover.overwriter().setPassObserver(
        [&](std::size_t, const srm::Pass&) { contents.push_back(readFile(path)); });
    EXPECT_TRUE(remover.erase(path)) << err.str();
    ASSERT_EQ(contents.size(), 4u);
    for (const std::string& c : contents) {
        EXPECT_EQ(c.find(std::string(64, 'K')), std::string::npos);
        EXPECT_GE(c.size(), secret.size());
    }
    EXPECT_EQ(contents.back(), std::string(contents.back().size(), '\0'));
    EXPECT_FALSE(exists(path));
}

TEST(SecureRemover, LinksAreRemovedTheirTargetsKept) {
    TempFolder dir;
    writeFile(dir / "target.txt", "keep me");
    ::mkdir((dir / "folder").c_str(), 0700);
    writeFile(dir / "folder/inner.txt", "keep me too");
    ASSERT_EQ(::symlink((dir / "target.txt").c_str(), (dir / "to-file").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "folder").c_str(), (dir / "to-folder").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "folder").c_str(), (dir / "slashed").c_str()), 0);

    EXPECT_EQ(runSrm({"-fsvrz", dir / "to-file"}).status, 0);
    EXPECT_EQ(runSrm({"-fvrz", dir / "to-folder"}).status, 0);
    EXPECT_EQ(runSrm({"-fsvrz", dir / "slashed/"}).status, 0) << "a trailing slash follows nothing";
    EXPECT_FALSE(exists(dir / "to-file"));
    EXPECT_FALSE(exists(dir / "to-folder"));
    EXPECT_FALSE(exists(dir / "slashed"));
    EXPECT_EQ(readFile(dir / "target.txt"), "keep me");
    EXPECT_EQ(readFile(dir / "folder/inner.txt"), "keep me too");

    // Links met inside an erased folder go the same way.
    ::mkdir((dir / "tree").c_str(), 0700);
    ASSERT_EQ(::symlink((dir / "folder").c_str(), (dir / "tree/link").c_str()), 0);
    EXPECT_EQ(runSrm({"-fsvrz", dir / "tree"}).status, 0);
    EXPECT_FALSE(exists(dir / "tree"));
    EXPECT_EQ(readFile(dir / "folder/inner.txt"), "keep me too");
}

TEST(SecureRemover, HardLinkedFileIsNotOverwrittenAndFails) {
    TempFolder dir;
    writeFile(dir / "a", "shared data");
    ASSERT_EQ(::link((dir / "a").c_str(), (dir / "b").c_str()), 0);
    srmtest::SrmResult r = runSrm({"-fsvrz", dir / "a"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("still reachable through another name"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(dir / "a"), "shared data") << "the file stays as it was, name and all";
    EXPECT_EQ(readFile(dir / "b"), "shared data");
}

TEST(SecureRemover, FifosAreNeverOpened) {
    TempFolder dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    srmtest::SrmResult r = runSrm({"-fsvrz", dir / "pipe"}, 10);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(exists(dir / "pipe")) << "a fifo named directly is left in place";
    EXPECT_NE(r.err.find("fifo"), std::string::npos) << r.err;

    ::mkdir((dir / "tree").c_str(), 0700);
    ASSERT_EQ(::mkfifo((dir / "tree/pipe").c_str(), 0600), 0);
    writeFile(dir / "tree/file", "data");
    r = runSrm({"-fsvrz", dir / "tree"}, 10);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(exists(dir / "tree"));
}

TEST(SecureRemover, MissingPathsAndFoldersWithoutRecursion) {
    TempFolder dir;
    srmtest::SrmResult r = runSrm({"-fsvrz", dir / "nothing/here"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.empty()) << r.err;

    r = runSrm({"-s", dir / "nothing"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(dir / "nothing"), std::string::npos);
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;

    ::mkdir((dir / "folder").c_str(), 0700);
    writeFile(dir / "folder/f", "x");
    r = runSrm({"-fs", dir / "folder"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(readFile(dir / "folder/f"), "x");

    writeFile(dir / "later", "y");
    r = runSrm({"-fs", dir / "gone", dir / "later"});
    EXPECT_EQ(r.status, 0) << "a missing path with -f does not spoil the others";
    EXPECT_FALSE(exists(dir / "later"));
}

// A device node named directly is refused (it may be taken for the disk itself); inside a folder
// being erased only its name goes, and the device behind it is never opened.
TEST(SecureRemover, DeviceNodesAreRefusedByNameAndUnlinkedInsideAFolder) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "making a device node needs root";
    }
    TempFolder dir;
    ASSERT_EQ(::mknod((dir / "full").c_str(), S_IFCHR | 0600, makedev(1, 7)), 0);
    srmtest::SrmResult r = runSrm({"-fsvrz", dir / "full"}, 10);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("character device"), std::string::npos) << r.err;
    EXPECT_TRUE(exists(dir / "full"));

    ::mkdir((dir / "tree").c_str(), 0700);
    // /dev/full fails every write: had srm opened it, the erasure would have failed.
    ASSERT_EQ(::mknod((dir / "tree/full").c_str(), S_IFCHR | 0600, makedev(1, 7)), 0);
    writeFile(dir / "tree/file", "data");
    r = runSrm({"-fsvrz", dir / "tree"}, 10);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(exists(dir / "tree"));
}

TEST(SecureRemover, RecursionStaysOnItsFileSystem) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a tmpfs needs root";
    }
    TempFolder dir;
    ::mkdir((dir / "tree").c_str(), 0700);
    ::mkdir((dir / "tree/mnt").c_str(), 0700);
    if (::mount("srmtest", (dir / "tree/mnt").c_str(), "tmpfs", 0, "size=1m") != 0) {
        GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    writeFile(dir / "tree/mnt/other", "other file system");
    writeFile(dir / "tree/mine", "erase me");
    srmtest::SrmResult r = runSrm({"-fsvrz", dir / "tree"});
    const std::string other = readFile(dir / "tree/mnt/other");
    ::umount((dir / "tree/mnt").c_str());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("mount point"), std::string::npos) << r.err;
    EXPECT_EQ(other, "other file system");
    EXPECT_FALSE(exists(dir / "tree/mine"));
}

// A name swapped for a link while the passes run: the link's target must not be removed.
TEST(SecureRemover, NameSwappedDuringTheRunIsLeftAlone) {
    TempFolder dir;
    const std::string path = dir / "file";
    writeFile(path, std::string(5000, 'F'));
    writeFile(dir / "victim", "precious");
    srm::SrmOptions options;
    options.scheme = srm::Scheme::SevenPass;
    srmtest::SeededRandom random(4);
    std::ostringstream out, err;
    srm::Reporter reporter(out, err, false);
    srm::SecureRemover remover(options, random, reporter);
    remover.overwriter().setPassObserver([&](std::size_t index, const srm::Pass&) {
        if (index == 0) {
            ::rename(path.c_str(), (dir / "moved").c_str());
            ::symlink((dir / "victim").c_str(), path.c_str());
        }
    });
    EXPECT_FALSE(remover.erase(path));
    EXPECT_NE(err.str().find("replaced"), std::string::npos) << err.str();
    EXPECT_EQ(readFile(dir / "victim"), "precious");
}

} // namespace

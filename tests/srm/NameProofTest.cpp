// Proof on raw bytes that srm leaves no name behind: six files erased from a folder that stays
// and a folder tree erased whole, on ext4, FAT and exFAT images. Six files removed with plain rm
// from another folder show that the search finds names that are left.
#include "LoopImage.h"
#include "NamedFiles.h"
#include "SrmProcess.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::LoopImage;
using testsupport::NamedFiles;
using Set = NamedFiles::Set;

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text.empty() ? "none" : text;
}

std::vector<std::string> listing(const std::string& folder) {
    std::string out;
    LoopImage::run({"ls", "-A", folder}, &out);
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
        names.push_back(out.substr(start, end - start));
    }
    return names;
}

class NameProof : public ::testing::TestWithParam<LoopImage::FileSystem> {};

TEST_P(NameProof, ErasedFilesAndFoldersLeaveNoNameWhilePlainRemovalLeavesAll) {
    const LoopImage::FileSystem fs = GetParam();
    if (std::string why = LoopImage::unavailableReason(fs); !why.empty()) {
        GTEST_SKIP() << LoopImage::name(fs) << ": " << why;
    }
    const bool slotFormat = fs != LoopImage::FileSystem::Ext4;
    NamedFiles::allowUnicode(fs != LoopImage::FileSystem::Vfat);
    LoopImage image(fs, 64u << 20);
    image.mount();
    const std::string root = image.mountPoint();
    const std::string kept = root + "/kept", tree = root + "/" + NamedFiles::folderNames()[0];
    NamedFiles::write(kept, Set::Kept);
    ASSERT_EQ(::mkdir(tree.c_str(), 0755), 0);
    NamedFiles::write(tree + "/" + NamedFiles::folderNames()[1], Set::Erased);
    NamedFiles::write(root + "/control", Set::Control);
    srmtest::writeFile(kept + "/stay.txt", "the user keeps this");
    // A throw-away entry of a run that was killed, and a user's file that only looks like one.
    srmtest::writeFile(kept + "/a1b2c3d4e5.srm~", "");
    srmtest::writeFile(kept + "/f6g7h8i9j0.srm~", "not empty: the user's own");
    ::sync();
    image.unmount();
    ASSERT_EQ(NamedFiles::tracesLeft(image, NamedFiles::allNames()).size(),
              NamedFiles::allNames().size())
        << "every name is found before the erasure";

    // The control, looked at before srm runs: on ext4 emptying the journal at the end of the
    // erasure takes the names of files removed earlier with it.
    image.mount();
    for (const std::string& name : NamedFiles::names(Set::Control)) {
        ASSERT_EQ(LoopImage::run({"rm", root + "/control/" + name}), 0);
    }
    ::sync();
    image.unmount();
    EXPECT_EQ(joined(NamedFiles::tracesLeft(image, NamedFiles::names(Set::Control))),
              joined(NamedFiles::names(Set::Control)))
        << "plain rm leaves every name";
    EXPECT_GT(NamedFiles::markersLeft(image, Set::Control), 0u);
    image.mount();

    std::vector<std::string> args{"-s"};
    for (const std::string& name : NamedFiles::names(Set::Kept)) {
        args.push_back(kept + "/" + name);
    }
    srmtest::SrmResult files = srmtest::runSrm(args, 120);
    EXPECT_EQ(files.status, 0) << files.err;
    srmtest::SrmResult folder = srmtest::runSrm({"-s", "-r", tree}, 120);
    EXPECT_EQ(folder.status, 0) << folder.err;
    EXPECT_FALSE(srmtest::exists(tree));

    // Nothing of the throw-away entries stays, nor the killed run's; the user's files do.
    std::vector<std::string> expected{"f6g7h8i9j0.srm~", "stay.txt"};
    if (!slotFormat) {
        expected.insert(expected.begin(), "a1b2c3d4e5.srm~"); // never made there, never looked for
    }
    EXPECT_EQ(listing(kept), expected);
    EXPECT_EQ(srmtest::readFile(kept + "/stay.txt"), "the user keeps this");
    image.unmount();

    EXPECT_EQ(joined(NamedFiles::tracesLeft(image, NamedFiles::names(Set::Kept))), "none")
        << "names left in the folder that stays on " << LoopImage::name(fs) << "\n"
        << files.err;
    EXPECT_EQ(joined(NamedFiles::tracesLeft(image, NamedFiles::names(Set::Erased))), "none")
        << "names left of the erased tree on " << LoopImage::name(fs) << "\n"
        << folder.err;
    EXPECT_EQ(joined(NamedFiles::tracesLeft(image, NamedFiles::folderNames())), "none");
    EXPECT_EQ(NamedFiles::markersLeft(image, Set::Kept) +
                  NamedFiles::markersLeft(image, Set::Erased),
              0u);
}

INSTANTIATE_TEST_SUITE_P(FileSystems, NameProof,
                         ::testing::Values(LoopImage::FileSystem::Ext4, LoopImage::FileSystem::Vfat,
                                           LoopImage::FileSystem::Exfat),
                         [](const auto& info) { return std::string(LoopImage::name(info.param)); });

// Without the right to empty the journal, an ext4 erasure says that names may remain there:
// in a plain run on standard error, in the batch mode on the entry's result.
TEST(NameProofJournal, AUserRunOnExt4SaysNamesMayRemainInTheJournal) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty()) {
        GTEST_SKIP() << why;
    }
    if (LoopImage::run({"setpriv", "--version"}) != 0) {
        GTEST_SKIP() << "setpriv is not installed";
    }
    LoopImage image(LoopImage::FileSystem::Ext4, 32u << 20);
    image.mount();
    const std::string folder = image.mountPoint() + "/user";
    NamedFiles::write(folder, Set::Kept);
    ASSERT_EQ(LoopImage::run({"chown", "-R", "65534:65534", folder}), 0);
    const std::string mountPoint = image.mountPoint();
    ASSERT_EQ(LoopImage::run({"chmod", "755", mountPoint.substr(0, mountPoint.rfind('/'))}), 0);
    const std::vector<std::string> asNobody{"setpriv", "--reuid=65534", "--regid=65534",
                                            "--clear-groups", SRM_PROGRAM};
    std::vector<std::string> plain = asNobody;
    plain.push_back(folder + "/" + NamedFiles::names(Set::Kept)[0]);
    std::string out;
    EXPECT_EQ(LoopImage::run(plain, &out), 0) << out;
    EXPECT_NE(out.find("names may remain in the file system journal"), std::string::npos) << out;

    // The batch mode: the same note as the fifth field of the erased entry's line.
    const std::string records =
        std::string("-fsvrz") + '\0' + folder + "/" + NamedFiles::names(Set::Kept)[1] + '\0' + '\0';
    const std::string input = folder + "/records";
    srmtest::writeFile(input, records);
    std::string results;
    const int status =
        LoopImage::run({"sh", "-c", "\"$@\" < '" + input + "' 2>/dev/null", "sh", asNobody[0],
                        asNobody[1], asNobody[2], asNobody[3], asNobody[4], "--batch"},
                       &results);
    EXPECT_EQ(status, 0) << results;
    EXPECT_EQ(results, "0\terased\t-\t-\tjournal\n");
    EXPECT_FALSE(srmtest::exists(folder + "/" + NamedFiles::names(Set::Kept)[1]));
}

} // namespace

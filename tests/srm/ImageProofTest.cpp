// Proof on raw bytes: files with unique markers are written to a small file-system image, the
// markers are found in the image, srm erases the files, and afterwards not one marker is left
// anywhere in the image. Files removed with plain rm show that the search can find leftovers.
#include "LoopImage.h"
#include "SrmProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <iostream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::LoopImage;

struct Target {
    std::string word; // srm's option word, or "rm" for the control files
    std::size_t size;
    std::string name;      // relative to the mount point
    std::string marker;    // unique text repeated through the content
    std::string erasePath; // what is handed to the eraser (the file, or its folder)
};

std::string randomHex(std::mt19937_64& rng, int digits) {
    static const char hex[] = "0123456789abcdef";
    std::string text;
    for (int i = 0; i < digits; ++i) {
        text += hex[rng() % 16];
    }
    return text;
}

// The marker every 64 bytes, so that any surviving block of the file still carries one.
std::string contentFor(const Target& t, std::mt19937_64& rng) {
    std::string data;
    while (data.size() < t.size) {
        std::string unit = t.marker + "|";
        while (unit.size() < 64) {
            unit += char('a' + rng() % 26);
        }
        data += unit;
    }
    data.resize(t.size);
    return data;
}

void writeDurably(const std::string& path, const std::string& data) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(::write(fd, data.data(), data.size()), ssize_t(data.size())) << path;
    ASSERT_EQ(::fsync(fd), 0);
    ::close(fd);
}

class ImageProof : public ::testing::TestWithParam<LoopImage::FileSystem> {};

TEST_P(ImageProof, NoMarkerSurvivesAnyScheme) {
    const LoopImage::FileSystem fs = GetParam();
    if (std::string why = LoopImage::unavailableReason(fs); !why.empty()) {
        GTEST_SKIP() << LoopImage::name(fs) << ": " << why;
    }
    LoopImage image(fs, 48u << 20);
    image.mount();

    std::mt19937_64 rng(std::random_device{}());
    std::vector<Target> targets;
    auto add = [&](const std::string& word, std::size_t size) {
        Target t{
            word, size, "n" + randomHex(rng, 20) + ".bin", "KVM" + randomHex(rng, 16) + "Z", {}};
        targets.push_back(t);
    };
    const std::size_t tiny = 100, fewBlocks = 3 * 4096 + 17, mib = (1u << 20) + 123;
    for (const char* word : {"-fsvrz", "-fEvrz", "-fmvrz"}) {
        add(word, tiny);
        add(word, fewBlocks);
        add(word, mib);
    }
    add("-fvrz", tiny); // 35 passes: small files keep the suite quick
    add("-fvrz", fewBlocks);
    add("rm", tiny);
    add("rm", mib);

    const std::string mnt = image.mountPoint();
    const std::string folder = "d" + randomHex(rng, 20);
    ASSERT_EQ(::mkdir((mnt + "/" + folder).c_str(), 0700), 0);
    for (Target& t : targets) {
        t.erasePath = mnt + "/" + t.name;
    }
    // One file erased through its folder, as "-r" on a folder does it.
    targets.push_back(Target{"-fsvrz", 20000, folder + "/n" + randomHex(rng, 20) + ".bin",
                             "KVM" + randomHex(rng, 16) + "Z", mnt + "/" + folder});
    for (const Target& t : targets) {
        writeDurably(mnt + "/" + t.name, contentFor(t, rng));
    }
    image.unmount();
    for (const Target& t : targets) {
        ASSERT_GT(image.count(t.marker), 0u) << "marker of " << t.name << " not in the image";
    }

    image.mount();
    for (const Target& t : targets) {
        if (t.word == "rm") {
            ASSERT_EQ(LoopImage::run({"rm", "-f", t.erasePath}), 0);
            continue;
        }
        srmtest::SrmResult r = srmtest::runSrm({t.word, t.erasePath}, 120);
        EXPECT_EQ(r.status, 0) << t.word << " " << t.erasePath << "\n" << r.err;
        EXPECT_FALSE(srmtest::exists(t.erasePath));
    }
    image.unmount();

    std::size_t namesLeft = 0, erased = 0, controlNames = 0, controls = 0;
    for (const Target& t : targets) {
        const std::size_t left = image.count(t.marker);
        if (t.word == "rm") {
            EXPECT_GT(left, 0u) << "control: rm leaves the data of " << t.size << " bytes";
            ++controls;
            controlNames += image.countName(t.name) > 0;
            continue;
        }
        ++erased;
        EXPECT_EQ(left, 0u) << LoopImage::name(fs) << " " << t.word << " " << t.size
                            << " bytes: marker found " << left << " times";
        const std::string base = t.name.substr(t.name.rfind('/') + 1);
        namesLeft += image.countName(base) > 0;
    }
    namesLeft += image.countName(folder) > 0;
    ++erased;
    std::cout << "[ names    ] " << LoopImage::name(fs) << ": " << namesLeft << " of " << erased
              << " erased names still found in the image (after rm: " << controlNames << " of "
              << controls << ")" << std::endl;
    RecordProperty("names_left", int(namesLeft));
}

INSTANTIATE_TEST_SUITE_P(FileSystems, ImageProof,
                         ::testing::Values(LoopImage::FileSystem::Ext4, LoopImage::FileSystem::Vfat,
                                           LoopImage::FileSystem::Exfat),
                         [](const auto& info) { return std::string(LoopImage::name(info.param)); });

} // namespace

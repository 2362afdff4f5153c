// The slot counts of names on FAT and exFAT, and the throw-away names made to take exactly a
// given count: a count off by one leaves part of a removed name in place or grows the folder.
#include "FolderFormat.h"
#include "SeededRandom.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using srm::FolderFormat;
using Kind = FolderFormat::Kind;

TEST(FolderFormatTest, CountsSlotsAsEachDriverStoresNames) {
    const FolderFormat fuseFat(Kind::Fat, true), kernelFat(Kind::Fat, false),
        winntFat(Kind::Fat, false, true), exfat(Kind::Exfat, false);
    // FAT: one 8.3 slot, one slot per 13 UTF-16 units of the long name.
    EXPECT_EQ(fuseFat.slotsFor("a"), 2u);
    EXPECT_EQ(fuseFat.slotsFor(std::string(13, 'x')), 2u);
    EXPECT_EQ(fuseFat.slotsFor(std::string(14, 'x')), 3u);
    EXPECT_EQ(fuseFat.slotsFor(std::string(255, 'x')), 21u);
    EXPECT_EQ(fuseFat.slotsFor("README.TXT"), 2u) << "the FUSE driver writes a long name always";
    // The kernel's driver stores an upper-case 8.3 name alone; mixed or lower case gets a long
    // name too, except lower-case parts under shortname=winnt.
    EXPECT_EQ(kernelFat.slotsFor("README.TXT"), 1u);
    EXPECT_EQ(kernelFat.slotsFor("README"), 1u);
    EXPECT_EQ(kernelFat.slotsFor("readme.txt"), 2u);
    EXPECT_EQ(kernelFat.slotsFor("ReadMe.txt"), 2u);
    EXPECT_EQ(winntFat.slotsFor("readme.txt"), 1u);
    EXPECT_EQ(winntFat.slotsFor("ReadMe.txt"), 2u);
    for (const char* notShort :
         {"READ ME.TXT", "TOOLONGNAME.TXT", "A.B.C", "NAME.TEXT", ".PROFILE"})
        EXPECT_GT(kernelFat.slotsFor(notShort), 1u) << notShort << " needs a long name";
    // exFAT: a file and a stream entry, one name entry per 15 units.
    EXPECT_EQ(exfat.slotsFor("a"), 3u);
    EXPECT_EQ(exfat.slotsFor(std::string(15, 'x')), 3u);
    EXPECT_EQ(exfat.slotsFor(std::string(16, 'x')), 4u);
    EXPECT_EQ(exfat.slotsFor(std::string(255, 'x')), 19u);
    // Units, not bytes: "ü" is two bytes and one unit, a character beyond the BMP two units.
    EXPECT_EQ(exfat.slotsFor(std::string(15, 'x') + "\xC3\xBC"), 4u);
    EXPECT_EQ(exfat.slotsFor(std::string(14, 'x') + "\xC3\xBC"), 3u);
    EXPECT_EQ(exfat.slotsFor(std::string(14, 'x') + "\xF0\x9F\x98\x80"), 4u);
    EXPECT_EQ(fuseFat.slotsFor(std::string(12, 'x') + "\xF0\x9F\x98\x80"), 3u);
    EXPECT_FALSE(FolderFormat().keepsRemovedNames());
}

TEST(FolderFormatTest, ThrowAwayNamesTakeExactlyTheSlotsAskedForAndAreKnownAgain) {
    srmtest::SeededRandom random(7);
    for (const FolderFormat& format :
         {FolderFormat(Kind::Fat, true), FolderFormat(Kind::Fat, false),
          FolderFormat(Kind::Fat, false, true), FolderFormat(Kind::Exfat, false)}) {
        std::set<std::string> made;
        for (std::size_t slots = format.minSlots(); slots <= format.maxSlots(); ++slots) {
            const std::string name = format.fillerName(slots, random);
            EXPECT_EQ(format.slotsFor(name), slots) << name;
            EXPECT_LE(name.size(), 255u);
            EXPECT_TRUE(FolderFormat::isFillerName(name)) << name;
            made.insert(name);
        }
        EXPECT_EQ(made.size(), format.maxSlots() - format.minSlots() + 1) << "names differ";
    }
    // Only names of exactly those forms are taken for throw-away entries.
    for (const char* other : {"report.pdf", "abc.srm~", "ABCDEFGHIJ.srm~", "abcdefgh.srm",
                              "abcdefgh-ij.srm~", "ABCDEFG.SR~", "abcdefgh.SR~", "ABCDEFGH.SR~X"})
        EXPECT_FALSE(FolderFormat::isFillerName(other)) << other;
}

} // namespace

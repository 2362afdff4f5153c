#include "SrmOptions.h"

#include <gtest/gtest.h>

namespace {

using srm::Scheme;
using srm::SrmOptions;

TEST(SrmOptions, TheEngineWordsSelectTheirSchemes) {
    struct Case {
        const char* word;
        Scheme scheme;
    };
    for (Case c : {Case{"-fsvrz", Scheme::OnePass}, Case{"-fEvrz", Scheme::ThreePass},
                   Case{"-fmvrz", Scheme::SevenPass}, Case{"-fvrz", Scheme::ThirtyFive}}) {
        SrmOptions o;
        std::string error;
        ASSERT_TRUE(SrmOptions::parse({c.word, "/x/y"}, o, error)) << c.word << ": " << error;
        EXPECT_EQ(o.scheme, c.scheme) << c.word;
        EXPECT_TRUE(o.force && o.verbose && o.recursive && o.zeroPass) << c.word;
        EXPECT_EQ(o.paths, std::vector<std::string>{"/x/y"});
    }
}

TEST(SrmOptions, SeparateLettersDoubleDashAndDashNames) {
    SrmOptions o;
    std::string error;
    ASSERT_TRUE(SrmOptions::parse({"-s", "a", "-z", "--", "-fvr", "-"}, o, error));
    EXPECT_EQ(o.scheme, Scheme::OnePass);
    EXPECT_TRUE(o.zeroPass);
    EXPECT_FALSE(o.force || o.verbose || o.recursive) << "letters after -- are a path";
    EXPECT_EQ(o.paths, (std::vector<std::string>{"a", "-fvr", "-"}));

    ASSERT_TRUE(SrmOptions::parse({"--help"}, o, error));
    EXPECT_TRUE(o.help);
}

TEST(SrmOptions, BadCommandLinesAreRefusedWithAReason) {
    SrmOptions o;
    std::string error;
    EXPECT_FALSE(SrmOptions::parse({"-fq", "a"}, o, error));
    EXPECT_NE(error.find("'q'"), std::string::npos) << error;
    EXPECT_FALSE(SrmOptions::parse({"-sm", "a"}, o, error)) << "two schemes at once";
    EXPECT_FALSE(SrmOptions::parse({"--force", "a"}, o, error));
    EXPECT_FALSE(SrmOptions::parse({"-fsvrz"}, o, error));
    EXPECT_EQ(error, "missing operand");
    EXPECT_TRUE(SrmOptions::parse({"-ss", "a"}, o, error)) << "a repeated letter is harmless";
    // Filling folders until the driver refuses grows them unless the volume is full: only
    // where the caller says it filled the volume for the slot fill.
    EXPECT_FALSE(SrmOptions::parse({"--volume-full", "-s", "a"}, o, error));
    EXPECT_EQ(error, "--volume-full goes with --free-slots");
    ASSERT_TRUE(SrmOptions::parse({"--free-slots", "--volume-full", "a"}, o, error)) << error;
    EXPECT_TRUE(o.freeSlots && o.volumeFull);
}

} // namespace

#include "app/MainEntry.h"

#include <gtest/gtest.h>

namespace {

bool runs(std::initializer_list<const char*> args) {
    std::vector<const char*> argv(args);
    return MainEntry::shouldRunApplication(static_cast<int>(argv.size()), argv.data());
}

TEST(MainEntryTest, RunsOnlyWithANonEmptyAsciiFirstArgument) {
    EXPECT_TRUE(runs({"app", "en*loaderflag*"}));
    EXPECT_TRUE(runs({"app", "*loaderflag*"}));
    EXPECT_TRUE(runs({"app", "anything"}));
    EXPECT_TRUE(runs({"app", "anything", "more"}));
    EXPECT_FALSE(runs({"app"}));
    EXPECT_FALSE(runs({"app", ""}));
    EXPECT_FALSE(runs({"app", "\xc3\xa9*loaderflag*"})); // not plain ASCII counts as absent
}

} // namespace

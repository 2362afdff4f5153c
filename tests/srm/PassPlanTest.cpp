#include "PassPlan.h"
#include "SeededRandom.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using srm::Pass;
using srm::PassPlan;
using srm::Scheme;

std::vector<std::string> described(const std::vector<Pass>& plan) {
    std::vector<std::string> names;
    for (const Pass& p : plan) {
        names.push_back(p.describe());
    }
    return names;
}

TEST(PassPlan, FixedSchemesWithAndWithoutZeros) {
    srmtest::SeededRandom random(1);
    using V = std::vector<std::string>;
    EXPECT_EQ(described(PassPlan::make(Scheme::OnePass, false, random)), V{"random"});
    EXPECT_EQ(described(PassPlan::make(Scheme::OnePass, true, random)), (V{"random", "000000"}));
    EXPECT_EQ(described(PassPlan::make(Scheme::ThreePass, false, random)),
              (V{"random", "random", "aaaaaa"}));
    EXPECT_EQ(described(PassPlan::make(Scheme::ThreePass, true, random)),
              (V{"random", "random", "aaaaaa", "000000"}));
    EXPECT_EQ(described(PassPlan::make(Scheme::SevenPass, false, random)),
              (V{"f6f6f6", "000000", "ffffff", "random", "000000", "ffffff", "random"}));
    EXPECT_EQ(described(PassPlan::make(Scheme::SevenPass, true, random)),
              (V{"f6f6f6", "000000", "ffffff", "random", "000000", "ffffff", "random", "000000"}));
}

TEST(PassPlan, ThirtyFivePassesShuffleTheFixedPatterns) {
    srmtest::SeededRandom random(2);
    std::vector<Pass> plan = PassPlan::make(Scheme::ThirtyFive, true, random);
    ASSERT_EQ(plan.size(), 36u);
    for (int i : {0, 1, 2, 3, 31, 32, 33, 34}) {
        EXPECT_TRUE(plan[i].random) << "pass " << i;
    }
    EXPECT_EQ(plan[35], Pass::byte(0));

    // The middle is exactly the 27 published patterns, each as often as published.
    std::vector<std::string> middle = described({plan.begin() + 4, plan.begin() + 31});
    std::vector<std::string> published = described(PassPlan::thirtyFivePatterns());
    ASSERT_EQ(published.size(), 27u);
    EXPECT_EQ(std::count(published.begin(), published.end(), "924924"), 2);
    EXPECT_NE(middle, published) << "order was not shuffled";
    std::sort(middle.begin(), middle.end());
    std::sort(published.begin(), published.end());
    EXPECT_EQ(middle, published);

    // The same source gives the same plan; another gives another order.
    srmtest::SeededRandom same(2), other(3);
    EXPECT_EQ(PassPlan::make(Scheme::ThirtyFive, true, same), plan);
    EXPECT_NE(PassPlan::make(Scheme::ThirtyFive, true, other), plan);
}

TEST(PassPlan, ThreeBytePatternsRunOnAcrossOffsets) {
    const Pass p = Pass::bytes(0x92, 0x49, 0x24);
    std::uint8_t whole[20], tail[13];
    p.fillPattern(0, whole, sizeof whole);
    p.fillPattern(7, tail, sizeof tail);
    EXPECT_TRUE(std::equal(tail, tail + 13, whole + 7));
    EXPECT_EQ(whole[0], 0x92);
    EXPECT_EQ(whole[4], 0x49);
    EXPECT_EQ(p.describe(), "924924");
}

} // namespace

// The time a free-space or volume wipe takes, told before it (bytes × passes at a stated speed)
// and while it runs (from the pace over all passes so far).
#include "app/Main/WipeDisk/WipeTimeEstimate.h"

#include <gtest/gtest.h>

namespace {

TEST(WipeTimeEstimateTest, BeforeTheWipeEveryPassCountsAndTheSpeedIsNamed) {
    // 82 GB three times at the cautious 30 MB/s: 8,200 s; the speed is said to be a guess.
    EXPECT_EQ(WipeTimeEstimate::seconds(82'000'000'000ULL, 3), 8200);
    EXPECT_EQ(WipeTimeEstimate::seconds(82'000'000'000ULL, 1), 2733);
    EXPECT_EQ(WipeTimeEstimate::seconds(82'000'000'000ULL, 3, 100'000'000), 2460);
    const QString cautious = WipeTimeEstimate::beforeText(82'000'000'000ULL, 3);
    EXPECT_TRUE(cautious.startsWith(QStringLiteral("Estimated time: about 2 h 16 min (")))
        << cautious.toStdString();
    EXPECT_TRUE(cautious.contains(QStringLiteral("× 3 passes at 30.00 MB/s, a cautious speed")))
        << cautious.toStdString();
    const QString measured = WipeTimeEstimate::beforeText(500'000'000ULL, 1, 100'000'000);
    EXPECT_TRUE(measured.contains(QStringLiteral("about 5 s (")) &&
                measured.contains(QStringLiteral("× 1 pass at 100.00 MB/s, as measured")))
        << measured.toStdString();
}

TEST(WipeTimeEstimateTest, TheTimeLeftCoversThePassesStillToCome) {
    // Half of pass 1 of 2 is a quarter of the wipe: three times as long again.
    EXPECT_DOUBLE_EQ(WipeTimeEstimate::fractionDone(50, 1, 2), 0.25);
    EXPECT_DOUBLE_EQ(WipeTimeEstimate::fractionDone(50, 2, 2), 0.75);
    EXPECT_DOUBLE_EQ(WipeTimeEstimate::fractionDone(150, 9, 2), 1.0);
    EXPECT_EQ(WipeTimeEstimate::secondsLeft(0.25, 60'000), 180);
    EXPECT_EQ(WipeTimeEstimate::leftText(0.25, 60'000),
              QStringLiteral("about 3 min 00 s left (estimate)"));
    // Too early to tell: nothing rather than a wild figure.
    EXPECT_EQ(WipeTimeEstimate::secondsLeft(0.005, 60'000), -1);
    EXPECT_EQ(WipeTimeEstimate::secondsLeft(0.5, 500), -1);
    EXPECT_TRUE(WipeTimeEstimate::leftText(0.001, 500).isEmpty());
}

} // namespace

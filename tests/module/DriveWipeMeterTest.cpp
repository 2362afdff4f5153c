// A drive's row in the drive wipe's progress: the job reports the passes as one stretch and the
// reading back as another; the row must say the pass and the bytes of that pass, a speed and a
// time left that count the reading back, and a bar that never moves back.
#include "app/Main/WipeDisk/DriveWipeMeter.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Op = DestructiveOperation;
constexpr qint64 kSize = 100'000'000; // one pass over the drive

// A report as WipeDriveOperation makes it from the tool's "progress pass|verify" lines.
Op::Progress writing(int pass, qint64 inPass) {
    return {Op::Stage::Overwriting,      (pass - 1) * kSize + inPass, 4 * kSize, pass, 4,
            QStringLiteral("/dev/loop9")};
}
Op::Progress reading(qint64 done) {
    return {Op::Stage::Verifying, done, kSize, 4, 4, QStringLiteral("/dev/loop9")};
}

TEST(DriveWipeMeterTest, SaysPassBytesSpeedAndTimeLeftAndTheBarNeverMovesBack) {
    DriveWipeMeter meter;
    EXPECT_FALSE(meter.started());
    EXPECT_EQ(meter.text().toStdString(), "Waiting to start…");

    meter.add(writing(1, 0), 0);
    EXPECT_EQ(meter.bytesPerSecond(), 0) << "no speed from a single report";
    meter.add(writing(1, 50'000'000), 1000);
    EXPECT_EQ(meter.bytesPerSecond(), 50'000'000);
    // 350 MB of writing and 100 MB of reading back are left, at 50 MB/s.
    EXPECT_EQ(meter.secondsLeft(), 9);
    EXPECT_DOUBLE_EQ(meter.fraction(), 0.1);
    EXPECT_EQ(meter.text().toStdString(),
              "Pass 1 of 4 · 50.00 MB of 100.00 MB · 50.00 MB/s · 9 s left");

    // The bytes are those of the pass under way, not of the whole run.
    meter.add(writing(3, 10'000'000), 5200);
    EXPECT_TRUE(meter.text().startsWith(QStringLiteral("Pass 3 of 4 · 10.00 MB of 100.00 MB")))
        << meter.text().toStdString();

    QList<double> bar{meter.fraction()};
    meter.add(writing(4, kSize), 8000);
    bar << meter.fraction();
    meter.add(reading(0), 8100);
    bar << meter.fraction();
    EXPECT_EQ(meter.bytesPerSecond(), 0) << "reading back runs at its own speed";
    meter.add(reading(50'000'000), 9100);
    bar << meter.fraction();
    meter.add(reading(kSize), 10100);
    bar << meter.fraction();
    EXPECT_TRUE(std::is_sorted(bar.cbegin(), bar.cend())) << "the bar moved back";
    EXPECT_DOUBLE_EQ(bar.last(), 1.0);
    EXPECT_EQ(meter.text().toStdString(),
              "Reading back · 100.00 MB of 100.00 MB · 50.00 MB/s · 0 s left");

    EXPECT_EQ(DriveWipeMeter::durationText(185).toStdString(), "3 min 05 s");
    EXPECT_EQ(DriveWipeMeter::durationText(7300).toStdString(), "2 h 01 min");
}

} // namespace

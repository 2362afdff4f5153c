#include "app/Comm/SizeText.h"
#include "QStringPrinter.h"
#include "app/Comm/CommUti.h"
#include "app/Comm/PublicUtilities.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct Case {
    qint64 bytes;
    const char* text;
};

TEST(SizeTextTest, DiskSizeStepsAtEveryThousandOnBothClasses) {
    const Case cases[] = {
        {0, "0 byte"},
        {-5, "-5 byte"},
        {999, "999 byte"},
        {1000, "1.00 KB"},
        {1536, "1.54 KB"},
        {999'999, "1000.00 KB"}, // 999.999 at two decimals
        {1'000'000, "1.00 MB"},
        {1'536'000, "1.54 MB"},
        {999'999'999, "1000.00 MB"},
        {1'000'000'000, "1.00 GB"},
        {999'999'999'999, "1000.00 GB"},
        {1'000'000'000'000, "1.00 TB"},
        {2'000'000'000'000, "2.00 TB"},
        {std::numeric_limits<qint64>::max(), "9223372.00 TB"}, // through single precision
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PublicUtilities::longlongDiskSize(c.bytes), QLatin1String(c.text)) << c.bytes;
        EXPECT_EQ(PublicUtilities::longlongConvertVolSpace(c.bytes), QLatin1String(c.text));
        EXPECT_EQ(CommUti::longlongDiskSize(c.bytes), QLatin1String(c.text));
        EXPECT_EQ(CommUti::longlongConvertVolSpace(c.bytes), QLatin1String(c.text));
    }
}

TEST(SizeTextTest, QuotientIsRoundedThroughSinglePrecision) {
    // 1,065 bytes: 1.065 is held just below itself in double ("1.06") but just above it in
    // single precision ("1.07").
    EXPECT_EQ(PublicUtilities::longlongDiskSize(1065), QLatin1String("1.07 KB"));
    EXPECT_EQ(PublicUtilities::convertVolSpace(1065), QLatin1String("1.07 KB"));
    // The kilobyte rule divides in single precision: 5 bytes → 0.005f → "0.00", 45 → "0.05".
    EXPECT_EQ(CommUti::convertVolSpace(5), QLatin1String("0.00 KB"));
    EXPECT_EQ(CommUti::convertVolSpace(45), QLatin1String("0.05 KB"));
}

TEST(SizeTextTest, VolumeSpaceWithoutTerabyteStep) {
    const struct {
        quint64 bytes;
        const char* text;
    } cases[] = {
        {0, "0 byte"},
        {999, "999 byte"},
        {1000, "1.00 KB"},
        {999'999'999, "1000.00 MB"},
        {1'000'000'000, "1.00 GB"},
        {2'000'000'000'000, "2000.00 GB"},
        {std::numeric_limits<quint64>::max(), "18446743552.00 GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PublicUtilities::convertVolSpace(c.bytes), QLatin1String(c.text)) << c.bytes;
}

TEST(SizeTextTest, VolumeSpaceFromKilobytes) {
    const struct {
        quint64 bytes;
        const char* text;
    } cases[] = {
        {0, "0.00 KB"},
        {1, "0.00 KB"},
        {500, "0.50 KB"},
        {999, "1.00 KB"},
        {999'999, "1000.00 KB"},
        {1'000'000, "1.00 MB"},
        {1'000'000'000, "1.00 GB"},
        {3'000'000'000'000, "3000.00 GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommUti::convertVolSpace(c.bytes), QLatin1String(c.text)) << c.bytes;
}

TEST(SizeTextTest, ParsingBackInBothPrecisions) {
    EXPECT_EQ(PublicUtilities::volSpaceFromString(QStringLiteral("1.50 MB")), 1'500'000u);
    EXPECT_EQ(CommUti::volSpaceFromString(QStringLiteral("1.50 MB")), 1'500'000u);
    // 10^12 is multiplied as its nearest float, 999,999,995,904.
    EXPECT_EQ(PublicUtilities::volSpaceFromString(QStringLiteral("3 TB")), 3'000'000'053'248u);
    EXPECT_EQ(CommUti::volSpaceFromString(QStringLiteral("3 TB")), 2'999'999'987'712u);
    EXPECT_EQ(PublicUtilities::volSpaceFromString(QStringLiteral("1.00 KB")), 1000u);
    EXPECT_EQ(CommUti::volSpaceFromString(QStringLiteral("12.34 GB")), 12'340'000'000u);
    EXPECT_EQ(PublicUtilities::volSpaceFromString(QStringLiteral("12.34 GB")), 12'339'999'744u);
    // No space before the unit: the three-letter cut eats the last digit.
    EXPECT_EQ(PublicUtilities::volSpaceFromString(QStringLiteral("25MB")), 25'000'000u);
    EXPECT_EQ(CommUti::volSpaceFromString(QStringLiteral("25MB")), 2'000'000u);
}

TEST(SizeTextTest, ParsingTextsWithoutAKnownUnitGivesZero) {
    for (const char* text :
         {"", "512 byte", "0KB", "0.00 KB", "abc", "1.5 mb", "5 PB", "KB", "B"}) {
        EXPECT_EQ(PublicUtilities::volSpaceFromString(QLatin1String(text)), 0u) << text;
        EXPECT_EQ(CommUti::volSpaceFromString(QLatin1String(text)), 0u) << text;
    }
}

TEST(SizeTextTest, NegativeAndHugeTextsNeverWrapAround) {
    // A negative number would convert to a huge unsigned count; it reads as nothing instead.
    for (const char* text : {"-3 KB", "-1.5 MB", "-2 TB"}) {
        EXPECT_EQ(PublicUtilities::volSpaceFromString(QLatin1String(text)), 0u) << text;
        EXPECT_EQ(CommUti::volSpaceFromString(QLatin1String(text)), 0u) << text;
    }
    const quint64 max = std::numeric_limits<quint64>::max();
    EXPECT_EQ(PublicUtilities::volSpaceFromString(QStringLiteral("1e30 TB")), max);
    EXPECT_EQ(CommUti::volSpaceFromString(QStringLiteral("1e300 TB")), max);
}

TEST(SizeTextTest, LeadingNumberReadsLikeThePlatformConversion) {
    EXPECT_DOUBLE_EQ(SizeText::leadingNumber(QStringLiteral("  1.5 ")), 1.5);
    EXPECT_DOUBLE_EQ(SizeText::leadingNumber(QStringLiteral("+2.25xyz")), 2.25);
    EXPECT_DOUBLE_EQ(SizeText::leadingNumber(QStringLiteral("-.5")), -0.5);
    EXPECT_DOUBLE_EQ(SizeText::leadingNumber(QStringLiteral("7.")), 7.0);
    EXPECT_DOUBLE_EQ(SizeText::leadingNumber(QStringLiteral("1e3")), 1000.0);
    EXPECT_DOUBLE_EQ(SizeText::leadingNumber(QStringLiteral("2e")), 2.0);
    EXPECT_DOUBLE_EQ(SizeText::leadingNumber(QStringLiteral("1,5")), 1.0);
    EXPECT_DOUBLE_EQ(SizeText::leadingNumber(QStringLiteral("x1")), 0.0);
    EXPECT_DOUBLE_EQ(SizeText::leadingNumber(QStringLiteral(".")), 0.0);
    EXPECT_DOUBLE_EQ(SizeText::leadingNumber(QStringLiteral("0x10")), 0.0);
    EXPECT_FLOAT_EQ(SizeText::leadingNumberAsFloat(QStringLiteral("1.50 ")), 1.5f);
}

} // namespace

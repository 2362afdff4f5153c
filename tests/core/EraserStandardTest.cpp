#include "app/SetEraserLevel/EraserStandard.h"

#include <gtest/gtest.h>

namespace {

TEST(EraserStandardTest, NamesAndOptionWordsPerLevel) {
    struct Row {
        int level;
        const char* name;
        const char* option;
    };
    const Row rows[] = {{1, "HMG Infosec Standard 5", "-fsvrz"},
                        {2, "Peter Gutmann's algorithm 2", "-fsvrz"},
                        {3, "U.S. Army AR380-19", "-fEvrz"},
                        {7, "DoD 5220.22-M ECE", "-fmvrz"},
                        {35, "Peter Gutmann's algorithm 35", "-fvrz"},
                        // Anything outside the table is named and erased as level 1.
                        {0, "HMG Infosec Standard 5", "-fsvrz"},
                        {-4, "HMG Infosec Standard 5", "-fsvrz"},
                        {5, "HMG Infosec Standard 5", "-fsvrz"}};
    for (const Row& row : rows) {
        EXPECT_EQ(EraserStandard::nameForLevel(row.level), QString::fromUtf8(row.name))
            << row.level;
        EXPECT_EQ(EraserStandard::srmOptionFor(row.level, false), QString::fromLatin1(row.option))
            << row.level;
        // A solid-state item always gets a single pass.
        EXPECT_EQ(EraserStandard::srmOptionFor(row.level, true), QStringLiteral("-fsvrz"));
    }
    EXPECT_EQ(EraserStandard::effectiveLevel(0), 1);
    EXPECT_EQ(EraserStandard::effectiveLevel(-3), 1);
    EXPECT_EQ(EraserStandard::effectiveLevel(7), 7);
    // A stored value outside the table runs as the level it is named by, never as N passes.
    EXPECT_EQ(EraserStandard::effectiveLevel(9), 1);
    EXPECT_EQ(EraserStandard::effectiveLevel(4), 1);
}

// Only the five levels are accepted from a user, written plainly.
TEST(EraserStandardTest, OnlyTheTablesLevelsAreAccepted) {
    for (const char* good : {"1", "2", "3", "7", "35", " 7 "})
        EXPECT_EQ(EraserStandard::parseLevel(QString::fromLatin1(good)),
                  QString::fromLatin1(good).trimmed().toInt())
            << good;
    for (const char* bad : {"0", "4", "5", "9", "-1", "36", "+3", "03", "3.0", "", "three"})
        EXPECT_FALSE(EraserStandard::parseLevel(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_EQ(EraserStandard::unknownLevelText(QStringLiteral("9")),
              QStringLiteral("unknown level '9' (use 1, 2, 3, 7 or 35)"));
}

} // namespace

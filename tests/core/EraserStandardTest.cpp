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
        EXPECT_EQ(EraserStandard::nameForLevel(row.level), QString::fromUtf8(row.name)) << row.level;
        EXPECT_EQ(EraserStandard::srmOptionFor(row.level, false), QString::fromLatin1(row.option))
            << row.level;
        // A solid-state item always gets a single pass.
        EXPECT_EQ(EraserStandard::srmOptionFor(row.level, true), QStringLiteral("-fsvrz"));
    }
    EXPECT_EQ(EraserStandard::effectiveLevel(0), 1);
    EXPECT_EQ(EraserStandard::effectiveLevel(-3), 1);
    EXPECT_EQ(EraserStandard::effectiveLevel(7), 7);
}

} // namespace

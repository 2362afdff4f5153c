#pragma once

#include <QString>
#include <array>
#include <optional>

// The five erasure standards. A standard is stored only as its level (number of passes) under
// "EraserTimes"; everything else follows from this table.
struct EraserStandard {
    int level;             // 1, 2, 3, 7 or 35
    const char* name;      // display name, shown in progress views and written into the history
    const char* button;    // the selection panel's button for it
    const char* srmOption; // option word of the secure-remove tool for a file

    static const std::array<EraserStandard, 5>& all();
    // The entry for LEVEL, or none: only the five levels of the table exist.
    static const EraserStandard* find(int level);
    // A level as a user writes it ("3"): the level when it is one of the table's, else nullopt.
    static std::optional<int> parseLevel(const QString& text);
    // "unknown level 'TEXT' (use 1, 2, 3, 7 or 35)", said alike by every front end.
    static QString unknownLevelText(const QString& text);
    // The entry for LEVEL; any level not in the table is treated as level 1.
    static const EraserStandard& forLevel(int level);
    // Display name of a stored level ("HMG Infosec Standard 5" for anything not in the table).
    static QString nameForLevel(int level);
    // Option word for a file at LEVEL; solid-state items always get the single-pass word.
    static QString srmOptionFor(int level, bool solidState);
    // A stored value as callers that need a pass count read it: unset (0) or a value not in the
    // table counts as level 1, so the passes run and the standard named always agree.
    static int effectiveLevel(int storedValue);
};

#include "app/SetEraserLevel/EraserStandard.h"

const std::array<EraserStandard, 5>& EraserStandard::all() {
    static const std::array<EraserStandard, 5> table{{
        {1, "HMG Infosec Standard 5", "but_1", "-fsvrz"},
        {2, "Peter Gutmann's algorithm 2", "but_2", "-fsvrz"},
        {3, "U.S. Army AR380-19", "but_3", "-fEvrz"},
        {7, "DoD 5220.22-M ECE", "but_7", "-fmvrz"},
        {35, "Peter Gutmann's algorithm 35", "but_35", "-fvrz"},
    }};
    return table;
}

const EraserStandard& EraserStandard::forLevel(int level) {
    for (const EraserStandard& standard : all())
        if (standard.level == level)
            return standard;
    return all().front();
}

QString EraserStandard::nameForLevel(int level) {
    return QString::fromUtf8(forLevel(level).name);
}

QString EraserStandard::srmOptionFor(int level, bool solidState) {
    if (solidState)
        return QStringLiteral("-fsvrz");
    return QString::fromLatin1(forLevel(level).srmOption);
}

int EraserStandard::effectiveLevel(int storedValue) {
    return storedValue < 1 ? 1 : storedValue;
}

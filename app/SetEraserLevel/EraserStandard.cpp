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

const EraserStandard* EraserStandard::find(int level) {
    for (const EraserStandard& standard : all())
        if (standard.level == level)
            return &standard;
    return nullptr;
}

std::optional<int> EraserStandard::parseLevel(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const int level = trimmed.toInt(&ok);
    // Digits only: "+3", "03" and "3.0" are not how a level is written.
    if (!ok || trimmed != QString::number(level) || !find(level))
        return std::nullopt;
    return level;
}

QString EraserStandard::unknownLevelText(const QString& text) {
    return QStringLiteral("unknown level '%1' (use 1, 2, 3, 7 or 35)").arg(text);
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
    return forLevel(storedValue).level;
}

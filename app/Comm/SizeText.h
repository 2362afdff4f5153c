#pragma once

#include <QString>
#include <QtGlobal>

// Byte counts as display texts and back, in decimal units (1 KB = 1000 bytes). The utility
// classes expose these under their historical names; the rules differ slightly between them and
// callers rely on each variant's exact output, so every rule is kept separately here.
//
// The quotients are formatted through single precision on purpose: texts such as "1000.00 KB"
// for 999,999 bytes and the parsed values of "3 TB" are part of what stored records contain.
class SizeText {
public:
    // Byte, KB, MB, GB and TB steps; counts up to 999 (negative ones too) are shown in bytes.
    static QString withTerabytes(qint64 bytes);
    // Byte, KB, MB and GB steps; no TB step.
    static QString withoutTerabytes(quint64 bytes);
    // KB, MB and GB steps only: 0 gives "0.00 KB", 500 gives "0.50 KB".
    static QString fromKilobytes(quint64 bytes);
    // withTerabytes() as a person reads it: the same steps, the number in the user's locale
    // ("1,50 MB" in German). Never stored nor parsed back; the C locale gives withTerabytes().
    static QString shownWithTerabytes(qint64 bytes);
    // A size text of these rules ("1.50 MB", as stored) with the number in the user's locale.
    static QString shown(const QString& stored);

    // Reads a size text back: cuts the two-character unit ("1.50 MB" reads "1.50 ") and
    // multiplies in single precision.
    static quint64 parseSinglePrecision(const QString& text);
    // Reads a size text back: cuts three characters (" MB") and multiplies in double precision.
    static quint64 parseDoublePrecision(const QString& text);

    // The leading decimal number of TEXT, as the platform's string-to-number conversion reads
    // it: leading blanks skipped, anything after the number ignored, no number reads as 0.
    static double leadingNumber(const QString& text);
    static float leadingNumberAsFloat(const QString& text);
};

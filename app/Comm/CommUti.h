#pragma once

#include "app/Comm/FsRef.h"

#include <QString>
#include <QtGlobal>

// Shared services of the modules: font names in the settings store, size texts, the size of a
// file tree and the solid-state check. Class operations only.
class CommUti {
public:
    CommUti() = delete;

    // Font names in the settings store, under FontRegular, FontLight and FontBold.
    static bool writRegularFont(const QString& fontName);
    static bool writLightFont(const QString& fontName);
    static bool writBoldFont(const QString& fontName);
    static QString getRegularFontName();
    static QString getLightFontName();
    static QString getBoldFontName();

    // "999 byte", "1.00 KB" … "2.00 TB" (as PublicUtilities).
    static QString longlongDiskSize(qint64 bytes);
    static QString longlongConvertVolSpace(qint64 bytes);
    // "0.00 KB", "0.50 KB", "1.00 MB" … (no byte and no TB step).
    static QString convertVolSpace(quint64 bytes);
    // A size text back to bytes, cutting three letters (" MB") and reading in double precision:
    // "1.50 MB" → 1,500,000, "3 TB" → 2,999,999,987,712, "512 byte" → 0.
    static quint64 volSpaceFromString(const QString& text);

    // A reference to PATH for sizeOfFileRef.
    static FsRef fsref(const QString& path);
    // Sum of the logical sizes of the regular files under REF (or of REF itself), links never
    // followed; 0 when nothing can be read.
    static quint64 sizeOfFileRef(const FsRef& ref);

    static bool isSolidState(const QString& path);
};

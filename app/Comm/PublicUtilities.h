#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Shared services of the main program: the settings store, size texts, the system's version, the
// network check and the solid-state check. Class operations only.
class PublicUtilities {
public:
    PublicUtilities() = delete;

    // Settings store (NexwipeBase.plist in the main bundle); every call opens the file anew.
    static QString getUpDataHistoryStr(const QString& key);
    // False when the store is missing or cannot be replaced; the other keys are kept.
    static bool writeUpDataHistoryStr(const QString& key, const QString& value);
    // Display name of the erasure level stored in the main program's user defaults.
    static QString getEraserTimes();

    // "999 byte", "1.00 KB" … "2.00 TB".
    static QString longlongDiskSize(qint64 bytes);
    static QString longlongConvertVolSpace(qint64 bytes);
    // "999 byte", "1.00 KB" … "1500.00 GB" (no TB step).
    static QString convertVolSpace(quint64 bytes);
    // A size text back to bytes, cutting the two-letter unit and reading in single precision:
    // "1.50 MB" → 1,500,000, "3 TB" → 3,000,000,053,248, "512 byte" → 0.
    static quint64 volSpaceFromString(const QString& text);

    // The running kernel's release numbers (see parseSystemVersion). Each pointer may be null.
    // When they cannot be read, logs "Unable to obtain system version: …" and yields 10, 0, 0.
    static void getSystemVersion(quint32* major, quint32* minor, quint32* bugFix);
    // Major and two-digit minor as one number: 10.9 → 1009, 11.2 → 1102, 6.1 → 601.
    static qint32 getSystemVersion();
    // Reads "major.minor[.bugFix]" from the start of a release text such as "6.1.0-18-amd64";
    // missing parts read 0. False when the text does not start with a number.
    static bool parseSystemVersion(const QByteArray& release, quint32* major, quint32* minor,
                                   quint32* bugFix);
    // getSystemVersion on a given release text; on failure (an unreadable text, or FAILURE set
    // by the caller) logs the reason and yields 10, 0, 0.
    static bool systemVersionFromRelease(const QByteArray& release, quint32* major, quint32* minor,
                                         quint32* bugFix, const QString& failure = QString());
    // The integer rule on its own.
    static qint32 systemVersionNumber(quint32 major, quint32 minor);

    // True when a request for a public page brought data back within 5 seconds (NetworkCheck).
    static bool isCanBeUseNetWork();

    // True when PATH lies on a device without rotating media.
    static bool isSolidState(const QString& path);
};

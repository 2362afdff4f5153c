#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

// Runs the bundle's volume tool "diskutil" and reads what it prints. Arguments are passed as a
// vector to the tool itself, never through a shell, so a volume name with spaces or quotes is
// one argument whatever it holds.
class DiskUtil {
public:
    // The tool's path when it exists and may be run; otherwise empty, with the reason.
    static QString toolPath(QString* problem = nullptr);

    // Runs the tool with ARGS and waits at most TIMEOUTMS. True when it ended with status 0;
    // OUT gets its standard output, PROBLEM what went wrong otherwise.
    static bool run(const QStringList& args, QByteArray* out, QString* problem = nullptr,
                    int timeoutMs = 30000);

    // "diskutil info -plist NAME" as a dictionary; empty when NAME is no mounted volume or the
    // tool printed no property list.
    static QVariantMap getDisjInfo(const QString& name);
    // "diskutil list -plist": one dictionary per mounted volume.
    static QList<QVariantMap> listVolumes();

    // An XML property list as Qt values: dictionaries as QVariantMap, arrays as QVariantList.
    // Invalid when XML is not a property list.
    static QVariant parsePlist(const QByteArray& xml);
    // The non-empty strings of a property-list array (nothing when VALUE is not one).
    static QStringList plistStrings(const QVariant& value);
};

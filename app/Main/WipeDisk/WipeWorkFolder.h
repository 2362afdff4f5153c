#pragma once

#include <QString>
#include <QStringList>

// The folder ".Korvane" at a volume's mount point that holds the fill files of a free-space
// wipe. It is made fresh for each pass and removed after it; one left by a wipe that was
// killed is removed the next time the volumes are looked at.
class WipeWorkFolder {
public:
    static inline const QString kName = QStringLiteral(".Korvane");

    static QString pathFor(const QString& mountPoint);
    // Creates it (removing an old one first); false when it cannot be made.
    static bool create(const QString& path);
    // Removes it with the fill files in it; anything else inside is left, and so is the folder.
    static bool remove(const QString& path);
    // Removes the work folders left at the given mount points; returns those removed.
    static QStringList removeLeftovers(const QStringList& mountPoints);
    // True for the names fill files get (".korvane_N").
    static bool isFillFileName(const QString& name);
};

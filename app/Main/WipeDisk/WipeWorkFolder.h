#pragma once

#include <QString>
#include <QStringList>

// The folder ".Korvane" at a volume's mount point that holds the fill files of a free-space
// wipe. It is made fresh for each pass and removed after it; one left by a wipe that was
// killed is removed the next time the volumes are looked at. The wipe that fills it holds a
// lock on it (flock), so that neither that sweep nor a second wipe of the same volume, from
// this process or another, takes the folder from under a wipe that is running.
class WipeWorkFolder {
public:
    static inline const QString kName = QStringLiteral(".Korvane");

    static QString pathFor(const QString& mountPoint);
    // Creates it (removing an old one first) and locks it; returns the descriptor that holds
    // the lock, or -1 when it cannot be made or another wipe holds it.
    static int create(const QString& path);
    // Removes the folder made by create() and then lets go of its lock HELD.
    static bool release(const QString& path, int held);
    // Removes it with the fill files in it; anything else inside is left, and so is the folder,
    // and so is a folder whose lock a running wipe holds.
    static bool remove(const QString& path);
    // Removes the work folders left at the given mount points; returns those removed.
    static QStringList removeLeftovers(const QStringList& mountPoints);
    // True for the names fill files get (".korvane_N").
    static bool isFillFileName(const QString& name);

private:
    static bool removeUnlocked(const QString& path);
};

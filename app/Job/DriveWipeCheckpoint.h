#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Where a drive wipe had come to, kept beside the history so that a wipe interrupted by a stop,
// a kill or a power loss can go on from there instead of from the first byte: the drive (its
// node, size and what tells it apart: serial number, or a loop device's backing file), the
// level, the reading back asked for, the order of the passes and the key of their random
// stream (both needed to make the same passes again), and the place everything before is
// known to be on the drive. One file per drive node, private to its owner.
class DriveWipeCheckpoint {
public:
    QString device;
    quint64 size = 0;
    QString identity; // serial number, loop backing file, or empty
    int level = 0;
    QString verify;
    QString passes; // "random,000000"
    QString key;    // 64 hex digits
    int pass = 1;   // from 1; one past the last when every pass is done
    quint64 offset = 0;
    QDateTime started;

    // The stored checkpoint of DEVICE, if there is one and it reads whole.
    static std::optional<DriveWipeCheckpoint> load(const QString& device);
    // Stores this one in place of the last, atomically; false when it could not be written.
    bool save() const;
    // Forgets the checkpoint of DEVICE (its wipe ended).
    static void remove(const QString& device);

    // What tells DEVICE apart from another drive at the same node.
    static QString identityOf(const QString& device);
    // The folder the checkpoints are kept in: beside the history database.
    static QString folder();

private:
    static QString pathFor(const QString& device);
};

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

// The kernel's mount table of this process, read through libmount: mount points holding
// spaces or other escaped characters come back as they are named, and the options are split
// the way mount(8) splits them. The one reader for everything that asks what is mounted where.
class MountTable {
public:
    struct Entry {
        std::uint64_t id = 0; // the mount id (statx's stx_mnt_id)
        QString target;       // the mount point
        QString source;       // "/dev/sda1", "tmpfs", a server path…
        QByteArray type;      // "ext4", "btrfs", "proc"…
        QByteArray options;   // the mount's and the file system's options, comma-separated

        // Whether OPTION ("compress", "ro") is among the options, with or without a value
        // ("compress=zstd:3" has "compress").
        bool hasOption(const char* option) const;
    };

    // The table as it is now; FILE reads a saved mountinfo instead (for tests). Empty when it
    // cannot be read.
    static QList<Entry> read(const QString& file = QString());
    // The entry mounted last at MOUNTPOINT (the one in force), or nullptr.
    static const Entry* at(const QList<Entry>& table, const QString& mountPoint);
};

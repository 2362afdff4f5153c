#include "platform/MountTable.h"

#include <QFile>
#include <libmount/libmount.h>
#include <memory>

namespace {

struct TableDeleter {
    void operator()(libmnt_table* table) const { mnt_unref_table(table); }
};
struct IterDeleter {
    void operator()(libmnt_iter* iter) const { mnt_free_iter(iter); }
};

QString text(const char* value) {
    return value ? QString::fromUtf8(value) : QString();
}

} // namespace

bool MountTable::Entry::hasOption(const char* option) const {
    // The same option twice is possible (a mount's and its file system's): any match counts.
    for (const QByteArray& item : options.split(','))
        if (item == option || item.startsWith(QByteArray(option) + '='))
            return true;
    return false;
}

QList<MountTable::Entry> MountTable::read(const QString& file) {
    QList<Entry> entries;
    std::unique_ptr<libmnt_table, TableDeleter> table(mnt_new_table());
    if (!table)
        return entries;
    const QByteArray path =
        file.isEmpty() ? QByteArray("/proc/self/mountinfo") : QFile::encodeName(file);
    if (mnt_table_parse_file(table.get(), path.constData()) != 0)
        return entries;
    std::unique_ptr<libmnt_iter, IterDeleter> iter(mnt_new_iter(MNT_ITER_FORWARD));
    libmnt_fs* fs = nullptr;
    while (iter && mnt_table_next_fs(table.get(), iter.get(), &fs) == 0) {
        Entry entry;
        entry.id = std::uint64_t(mnt_fs_get_id(fs));
        entry.target = text(mnt_fs_get_target(fs));
        entry.source = text(mnt_fs_get_source(fs));
        entry.type = QByteArray(mnt_fs_get_fstype(fs) ? mnt_fs_get_fstype(fs) : "");
        // Both halves of the line: "rw,noatime" and "rw,compress=zstd:3,space_cache=v2".
        entry.options = QByteArray(mnt_fs_get_vfs_options(fs) ? mnt_fs_get_vfs_options(fs) : "") +
                        ',' +
                        QByteArray(mnt_fs_get_fs_options(fs) ? mnt_fs_get_fs_options(fs) : "");
        entries.append(entry);
    }
    return entries;
}

const MountTable::Entry* MountTable::at(const QList<Entry>& table, const QString& mountPoint) {
    for (qsizetype i = table.size() - 1; i >= 0; --i)
        if (table[i].target == mountPoint)
            return &table[i];
    return nullptr;
}

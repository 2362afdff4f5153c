#pragma once

#include <QByteArray>
#include <QHash>
#include <cstdint>

// Tells the kernel's pseudo file systems (proc, sysfs, devtmpfs, cgroup, debugfs...) apart from
// those that hold files: the duplicate walk never enters them, whatever its options. Their
// "files" are not data: reading /proc/kcore or a sysfs attribute is slow, endless or has side
// effects.
class PseudoFileSystems {
public:
    // Whether the open descriptor FD lies on a pseudo file system.
    bool isPseudo(int fd);
    // Whether the mount with id MOUNTID (statx STATX_MNT_ID) is one.
    bool isPseudoMount(std::uint64_t mountId);
    // Whether a file-system type name from the mount table names one.
    static bool isPseudoType(const QByteArray& type);

private:
    void loadMountTable();
    bool m_loaded = false;
    QHash<std::uint64_t, QByteArray> m_typeById;
};

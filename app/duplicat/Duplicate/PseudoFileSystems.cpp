#include "app/duplicat/Duplicate/PseudoFileSystems.h"
#include "platform/MountTable.h"

#include <QFile>
#include <QList>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace {

// statfs f_type of the pseudo file systems (linux/magic.h). devtmpfs reports tmpfs's number, so
// tmpfs is told apart through the mount table.
constexpr long kTmpfsMagic = 0x01021994;
constexpr long kPseudoMagics[] = {
    0x9fa0,     // proc
    0x62656572, // sysfs
    0x27e0eb,   // cgroup
    0x63677270, // cgroup2
    0x64626720, // debugfs
    0x74726163, // tracefs
    0x73636673, // securityfs
    0x6165676C, // pstore
    0xcafe4a11, // bpf
    0x62656570, // configfs
    0x65735543, // fusectl
    0x19800202, // mqueue
    0x958458f6, // hugetlbfs
    0x1cd1,     // devpts
    0x42494e4d, // binfmt_misc
    0x0187,     // autofs
    0xf97cff8c, // selinuxfs
    0x43415d53, // smackfs
    0xde5e81e4, // efivarfs
    0x6e736673, // nsfs
    0x67596969, // rpc_pipefs
    0x6e667364, // nfsd
};

} // namespace

bool PseudoFileSystems::isPseudoType(const QByteArray& type) {
    static const QList<QByteArray> names = {
        "proc",    "sysfs",    "devtmpfs",   "devpts",      "cgroup", "cgroup2",
        "debugfs", "tracefs",  "securityfs", "pstore",      "bpf",    "configfs",
        "fusectl", "mqueue",   "hugetlbfs",  "binfmt_misc", "autofs", "selinuxfs",
        "smackfs", "efivarfs", "nsfs",       "rpc_pipefs",  "nfsd"};
    return names.contains(type);
}

void PseudoFileSystems::loadMountTable() {
    m_loaded = true;
    for (const MountTable::Entry& entry : MountTable::read())
        m_typeById.insert(entry.id, entry.type);
}

bool PseudoFileSystems::isPseudoMount(std::uint64_t mountId) {
    if (!m_loaded)
        loadMountTable();
    const auto it = m_typeById.constFind(mountId);
    if (it == m_typeById.constEnd()) {
        loadMountTable(); // mounted since the table was read
        return isPseudoType(m_typeById.value(mountId));
    }
    return isPseudoType(*it);
}

bool PseudoFileSystems::isPseudo(int fd) {
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0)
        return false;
    for (const long magic : kPseudoMagics)
        if (fs.f_type == magic)
            return true;
    if (fs.f_type != kTmpfsMagic)
        return false;
    struct statx x {};
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_MNT_ID, &x) != 0 || !(x.stx_mask & STATX_MNT_ID))
        return false;
    return isPseudoMount(x.stx_mnt_id);
}

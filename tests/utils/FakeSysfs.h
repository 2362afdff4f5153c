#pragma once

#include <QString>
#include <sys/types.h>

// A device tree laid out like /sys in a temporary folder, for the sysfs readers.
class FakeSysfs {
public:
    explicit FakeSysfs(const QString& root) : m_root(root) {}
    const QString& root() const { return m_root; }

    // A whole disk under devices/…/block/NAME with its rotational and removable flags.
    QString addDisk(const QString& name, bool rotational, bool removable = false);
    // A disk without a queue folder (its medium cannot be read).
    QString addDiskWithoutQueue(const QString& name);
    QString addPartition(const QString& diskFolder, const QString& name);
    // /sys/dev/block/MAJ:MIN → FOLDER.
    void mapDevice(dev_t device, const QString& folder);
    void addSlave(const QString& folder, const QString& slaveFolder);
    void setBackingFile(const QString& loopFolder, const QString& backingFile);

private:
    QString m_root;
};

#include "FakeSysfs.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/sysmacros.h>

QString FakeSysfs::addDiskWithoutQueue(const QString& name) {
    const QString folder = m_root + QStringLiteral("/devices/pci0000:00/block/") + name;
    testsupport::writeFile(folder + QStringLiteral("/dev"), "0:0\n");
    return folder;
}

QString FakeSysfs::addDisk(const QString& name, bool rotational, bool removable) {
    const QString folder = addDiskWithoutQueue(name);
    testsupport::writeFile(folder + QStringLiteral("/queue/rotational"),
                           rotational ? "1\n" : "0\n");
    testsupport::writeFile(folder + QStringLiteral("/removable"), removable ? "1\n" : "0\n");
    return folder;
}

QString FakeSysfs::addPartition(const QString& diskFolder, const QString& name) {
    const QString folder = diskFolder + QLatin1Char('/') + name;
    testsupport::writeFile(folder + QStringLiteral("/dev"), "0:0\n");
    testsupport::writeFile(folder + QStringLiteral("/partition"), "1\n");
    return folder;
}

void FakeSysfs::mapDevice(dev_t device, const QString& folder) {
    QDir().mkpath(m_root + QStringLiteral("/dev/block"));
    const QString link =
        QStringLiteral("%1/dev/block/%2:%3").arg(m_root).arg(major(device)).arg(minor(device));
    QFile::remove(link);
    // Relative, as the kernel lays them out.
    const QString target = QDir(m_root + QStringLiteral("/dev/block")).relativeFilePath(folder);
    ASSERT_TRUE(QFile::link(target, link)) << link.toStdString();
}

void FakeSysfs::addSlave(const QString& folder, const QString& slaveFolder) {
    QDir().mkpath(folder + QStringLiteral("/slaves"));
    ASSERT_TRUE(QFile::link(slaveFolder, folder + QStringLiteral("/slaves/") +
                                             QFileInfo(slaveFolder).fileName()));
}

void FakeSysfs::setBackingFile(const QString& loopFolder, const QString& backingFile) {
    testsupport::writeFile(loopFolder + QStringLiteral("/loop/backing_file"),
                           backingFile.toUtf8() + "\n");
}

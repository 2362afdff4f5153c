#pragma once

#include <QString>
#include <QtGlobal>

// What can be read about a drive or volume by its device node, from the disk tool's listing
// (DiskTool::listDisks: sysfs and the devices) and the kernel's size of the device. A fact that
// cannot be read stays empty (the size: -1).
struct DeviceFacts {
    QString model;  // the drive's model; for a loop device the image file it shows
    QString serial; // the drive's serial number
    qint64 sizeBytes = -1;
    QString medium;    // "solid state" or "rotational"
    QString transport; // the bus: "USB", "SATA", "NVMe", "Virtual", …
    QString fileSystem;
    QString label;

    static DeviceFacts read(const QString& device);
};

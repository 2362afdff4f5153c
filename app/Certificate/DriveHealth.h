#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// The health of the drive under a device, as smartmontools reports it (`smartctl --json -a`):
// model, serial, power-on hours, reallocated and pending sectors. Where smartctl is not
// installed, or cannot read the drive (a loop device, a USB bridge without pass-through), the
// object says so in "unavailable" and holds nothing else.
class DriveHealth {
public:
    // The whole drive of DEVICE ("/dev/sdb" for "/dev/sdb1"); DEVICE itself when it is one.
    static QString wholeDrive(const QString& device);
    static QJsonObject read(const QString& device);
    // The facts in smartctl's JSON output OUTPUT (ATA and NVMe forms); "unavailable" when it
    // holds none.
    static QJsonObject parse(const QByteArray& output);
};

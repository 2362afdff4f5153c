#pragma once

#include <QString>

// The computer an erasure ran on: its host name and what the firmware's DMI tables say of it
// (/sys/class/dmi/id; the serial number is readable by root only). Placeholders that firmware
// writes where nothing was filled in ("To Be Filled By O.E.M.", "Default string") count as
// nothing read.
struct MachineFacts {
    QString hostName;
    QString vendor;
    QString product;
    QString serial;

    static MachineFacts read();
    // DMI folder FOLDER instead of the system's (tests).
    static MachineFacts readFrom(const QString& folder);
    // TEXT as read from a DMI file, empty when it is a placeholder.
    static QString meaningful(const QString& text);
};

#pragma once

#include <QByteArray>

// A reference to an item in the file system, made from a path by CommUti::fsref. It holds the
// path in the file system's own encoding, so names that are not valid UTF-8 survive the trip.
struct FsRef {
    QByteArray path;

    bool isNull() const { return path.isEmpty(); }
};

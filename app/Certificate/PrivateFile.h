#pragma once

#include <QByteArray>
#include <QString>

// Writes a file only its owner may read (mode 0600): certificates and reports say what was on a
// machine and who erased it. An existing file (or a link in its place) is never replaced unless
// REPLACE is given; then the new file is written in full under a temporary name in the same
// folder and renamed over the old, so a reader sees one or the other.
class PrivateFile {
public:
    static bool write(const QString& path, const QByteArray& bytes, bool replace,
                      QString* error = nullptr);
};

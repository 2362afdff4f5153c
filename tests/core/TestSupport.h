#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

// Writes DATA to PATH, creating missing folders; fails the test on error.
void writeFile(const QString& path, const QByteArray& data);
QByteArray readFile(const QString& path);
// Lays out an empty outer bundle under ROOT (with both Resources folders) and returns its path.
QString makeBundle(const QString& root);
// The shipped settings store from the source tree.
QString shippedSettingsStore();

} // namespace testsupport

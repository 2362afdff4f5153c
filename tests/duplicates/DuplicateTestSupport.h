#pragma once

#include "app/duplicat/Duplicate/fileAttrbItem.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace duptest {

// Writes DATA to ROOT/RELATIVE, making folders; fails the test on error.
QString put(const QString& root, const QString& relative, const QByteArray& data);
// Deterministic pseudo-random bytes.
QByteArray bytes(qsizetype size, quint32 seed);
// Paths of records, relative to ROOT.
QStringList names(const QList<fileAttrbItemPtr>& items, const QString& root);

} // namespace duptest

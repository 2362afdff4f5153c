#pragma once

#include "app/inter/HistorySchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// A throw-away bundle under ROOT that holds the real srm tool built into the build tree's
// bundle, so end-to-end erasures never write into the build tree's own settings store or history
// (that is what `make run` uses). Returns the outer bundle's path, or empty when the tool has not
// been built.
inline QString makeRealToolBundle(const QString& root) {
    const QString built =
        QStringLiteral(KORVANE_BUNDLE_DIR "/Contents/MacOS/Korvane Data Eraser.app/Contents/"
                                          "Resources/srm");
    if (!QFileInfo::exists(built))
        return {};
    const QString outer = root + QStringLiteral("/KorvaneLoader.app");
    const QString resources =
        outer + QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources");
    QDir().mkpath(resources);
    QDir().mkpath(outer + QStringLiteral("/Contents/Resources"));
    if (!QFile::copy(built, resources + QStringLiteral("/srm")))
        return {};
    // The volume tool too, where it is built (the volume commands need it).
    const QString diskutil = QFileInfo(built).path() + QStringLiteral("/diskutil");
    if (QFileInfo::exists(diskutil) &&
        QFile::copy(diskutil, resources + QStringLiteral("/diskutil")))
        QFile::setPermissions(resources + QStringLiteral("/diskutil"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                  QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                  QFileDevice::ExeOther);
    // An empty history, as an installed bundle has: an erasure that cannot be recorded fails.
    std::string error;
    if (!HistorySchema::createDatabase((resources + QStringLiteral("/DataBase.db")).toStdString(),
                                       0600, error))
        return {};
    // A root program refuses a tool that others could replace: keep it 0755.
    QFile::setPermissions(resources + QStringLiteral("/srm"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                              QFileDevice::ReadOther | QFileDevice::ExeOther);
    return outer;
}

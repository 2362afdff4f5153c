#pragma once

#include "app/Main/FileEraser/FileObjBuilder.h"

#include <QString>
#include <functional>

// The file-system facts the loader logs and tests before erasing a path for the file-manager
// action.
struct ServiceEraserVolume {
    bool success = false;
    bool removable = false;
    bool writable = false;
    bool unmountable = false;
    QString description;
    QString type;
};

using VolumeQuery = std::function<ServiceEraserVolume(const QString& path)>;

// The loader's erasure road for PATH: asks for the file system, logs it, shows the NTFS notice
// for an NTFS volume or else the erasure window (erasing at once), centred and in front, and runs
// it modally until its OK button. Returns the loader's exit status: 0 when the path was erased
// (or only the NTFS notice was due), 1 when it was refused or not erased completely. QUERY defaults
// to the system's file-system information; SOLIDSTATE fills the single-pass flag of the items (the
// system's medium check by default).
int runServiceEraserWindow(
    const QString& path, VolumeQuery query = {},
    FileObjBuilder::SolidStateTest solidState = FileObjBuilder::systemSolidStateTest());

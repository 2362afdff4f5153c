#include "loader/ServiceEraserRoad.h"

#include "platform/Logger.h"

bool runServiceEraser(const QString& path) {
    // The loader's own erasure window is not part of this build: say so in the log and let the
    // main program start, where the item can be erased from the file eraser.
    Logger::log(QStringLiteral("Service erase of %1: the loader's erasure window is not available; "
                               "starting the main program instead")
                    .arg(path));
    return false;
}

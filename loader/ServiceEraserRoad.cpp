#include "loader/ServiceEraserRoad.h"

#include "loader/Eraser/ServiceEraser.h"

bool runServiceEraser(const QString& path) {
    // The loader's own window erases the path (or shows the NTFS notice) until its OK button.
    runServiceEraserWindow(path);
    return true;
}

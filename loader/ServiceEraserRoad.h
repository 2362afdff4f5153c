#pragma once

#include <QString>

// Erases PATH, handed over by a file-manager action, in the loader's own window and returns when
// that window is closed. False when the loader cannot erase it here; the caller then starts the
// main program instead.
bool runServiceEraser(const QString& path);

#pragma once

#include <QByteArray>
#include <QList>
#include <functional>

// The variables a window needs to reach the user's display, checked before they are handed to a
// process that runs as root. A value that fails its check is dropped, never passed on.
class DisplayVariables {
public:
    QByteArray display;        // X display name, e.g. ":0" or "host:10.0"
    QByteArray xauthority;     // absolute path of an existing regular file
    QByteArray waylandDisplay; // absolute path of the compositor's socket

    // Reads DISPLAY, XAUTHORITY, WAYLAND_DISPLAY and XDG_RUNTIME_DIR through ENV (null when unset).
    static DisplayVariables fromEnvironment(const std::function<QByteArray(const char*)>& env);
    static DisplayVariables fromProcessEnvironment();

    static bool isValidDisplayName(const QByteArray& display);

    // "NAME=value" for each variable that passed its check. The Wayland socket is given as an
    // absolute path, so the root process needs no runtime folder of the user's.
    QList<QByteArray> assignments() const;
    bool isEmpty() const { return display.isEmpty() && waylandDisplay.isEmpty(); }
};

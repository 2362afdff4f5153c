#include "platform/DisplayVariables.h"

#include <QRegularExpression>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace {

bool hasControlCharacters(const QByteArray& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return true;
    return false;
}

bool isAbsolutePath(const QByteArray& path) {
    return path.startsWith('/') && path.size() < PATH_MAX && !hasControlCharacters(path);
}

bool isFileOfType(const QByteArray& path, mode_t type) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && (info.st_mode & S_IFMT) == type;
}

} // namespace

bool DisplayVariables::isValidDisplayName(const QByteArray& display) {
    // [host]:display[.screen]; the host may be a name, an address or a socket path.
    // Anchored as a whole: "$" alone would let a trailing newline through.
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QStringLiteral("[A-Za-z0-9._/-]{0,255}:[0-9]{1,5}(\\.[0-9]{1,3})?")));
    return !display.isEmpty() && pattern.match(QString::fromLatin1(display)).hasMatch();
}

DisplayVariables
DisplayVariables::fromEnvironment(const std::function<QByteArray(const char*)>& env) {
    DisplayVariables result;
    const QByteArray display = env("DISPLAY");
    if (isValidDisplayName(display))
        result.display = display;

    const QByteArray xauthority = env("XAUTHORITY");
    if (isAbsolutePath(xauthority) && isFileOfType(xauthority, S_IFREG))
        result.xauthority = xauthority;

    QByteArray wayland = env("WAYLAND_DISPLAY");
    if (!wayland.isEmpty() && !wayland.startsWith('/')) {
        const QByteArray runtime = env("XDG_RUNTIME_DIR");
        if (wayland.contains('/') || !isAbsolutePath(runtime))
            wayland.clear();
        else
            wayland = runtime + '/' + wayland;
    }
    if (isAbsolutePath(wayland) && !wayland.contains("/../") && isFileOfType(wayland, S_IFSOCK))
        result.waylandDisplay = wayland;
    return result;
}

DisplayVariables DisplayVariables::fromProcessEnvironment() {
    return fromEnvironment([](const char* name) {
        const char* value = std::getenv(name);
        return value ? QByteArray(value) : QByteArray();
    });
}

QList<QByteArray> DisplayVariables::assignments() const {
    QList<QByteArray> list;
    if (!display.isEmpty())
        list << "DISPLAY=" + display;
    if (!xauthority.isEmpty())
        list << "XAUTHORITY=" + xauthority;
    if (!waylandDisplay.isEmpty())
        list << "WAYLAND_DISPLAY=" + waylandDisplay;
    return list;
}

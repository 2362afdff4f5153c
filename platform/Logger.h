#pragma once

#include <QString>

// Diagnostics: free-form lines for the system log (syslog), never shown to the user.
// Messages use QString's %1 placeholders: Logger::log(QStringLiteral("rm file sec %1").arg(path)).
class Logger {
public:
    // Opens the system log under IDENT; call once at program start.
    static void open(const char* ident);
    static void log(const QString& line);
    // Also echo every line to standard error (tests, debugging).
    static void setEchoToStderr(bool echo);
};

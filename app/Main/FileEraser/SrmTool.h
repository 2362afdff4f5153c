#pragma once

#include <QString>

// Locates the secure-remove tool "srm" among the main bundle's resources and decides whether it
// may be run. A program running as root must not run a tool that someone else could replace, so
// for root the tool must be owned by root and writable by nobody else.
class SrmTool {
public:
    // The tool's path when it exists and may be run; otherwise empty, with the reason in *problem.
    static QString locate(QString* problem = nullptr);
    // The same test for a given path (exposed for tests and the command line).
    static bool isTrusted(const QString& path, QString* problem = nullptr);
};

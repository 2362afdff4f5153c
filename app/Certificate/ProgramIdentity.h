#pragma once

#include <QString>

// The program's version and build, as a certificate names the tool that erased.
class ProgramIdentity {
public:
    static QString name() { return QStringLiteral("Korvane Data Eraser"); }
    static QString version();
    // The source revision (when the build tree knew it) and the compiler.
    static QString build();
};

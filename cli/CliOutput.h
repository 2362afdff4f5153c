#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// What every korvane verb writes the same way: an error line "korvane VERB: TEXT" on standard
// error, and names made safe for one line of a terminal.
class CliOutput {
    Q_DECLARE_TR_FUNCTIONS(CliOutput)

public:
    // "korvane VERB: TEXT" on standard error, control characters in TEXT escaped.
    static void error(const QString& verb, const QString& text);
    // TEXT in the locale's encoding, for printf.
    static QByteArray local(const QString& text) { return text.toLocal8Bit(); }
    // A path as printed on one line: control characters (a newline in a name) escaped, so a
    // crafted name cannot forge a result line.
    static QString printable(const QString& path);
    // "1 pass", "7 passes".
    static QString passes(int count);
    // A text given as a usage or help text (const char*, marked for the "CliUsage" context)
    // in the user's language, in the locale's encoding.
    static QByteArray usage(const char* text);
};

#pragma once

#include <QString>
#include <ostream>

// Lets test failures show QStrings as text rather than as arrays of code units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

#pragma once

#include <QHash>
#include <QString>

// The main bundle's localized text for KEY from the default table, Localizable.strings in the
// first of the user's languages that the bundle carries (Resources/<language>.lproj/), falling
// back to English. An absent key gives an empty text.
QString getLocalizedString(const QString& key);

// The default table and its format, shared with the tests.
class LocalizedStringTable {
public:
    static inline const QString kTableName = QStringLiteral("Localizable.strings");

    // The table file used for the current languages; empty when the bundle has none.
    static QString currentTablePath();
    // Parses the text of a table: lines  "key" = "value";  with C-style escapes (\" \\ \n \t
    // and \Uxxxx), blank lines and comments (/* … */ and // …). A malformed entry ends the table
    // and keeps what came before it.
    static QHash<QString, QString> parse(const QString& text);
};

#pragma once

#include <QString>

// The program's texts in the user's language. Each language has one table,
// korvane_<language>.qm in the main bundle's Resources/translations; the English table holds
// only plural forms ("1 item", "2 items"). Qt's own texts (standard buttons) come from Qt's
// tables where the system has them. Sizes and dates follow the same locale.
class Translations {
public:
    // Installs the tables into the running application. LOCALE_NAME is a name as in LANG
    // ("de_DE.UTF-8"), for a program started without the user's environment; empty takes the
    // environment's (LC_ALL, LC_MESSAGES, LANG). A name that is not a plain locale name is
    // ignored. Returns the file name of the program table loaded, empty when none was.
    // FOLDER: where the tables are, when not in folder() (the command line finds its bundle
    // only after the texts are needed).
    static QString install(const QString& localeName = {}, const QString& folder = {});

    // Where the tables are: the main bundle's Resources/translations.
    static QString folder();
    // The same folder in the outer bundle at BUNDLE.
    static QString folderIn(const QString& bundle);

    // True when NAME has the shape of a locale name (letters, digits, "_", "-", ".", "@").
    static bool isLocaleName(const QString& name);
};

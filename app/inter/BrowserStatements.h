#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The SQL that counts and removes each data kind of each browser, as data. The first statements
// of every list are the historical ones; what follows removes the rows that would otherwise be
// left pointing at removed ones (a browser's own "clear history" removes them too), so no visit,
// search term or unvisited page keeps the history alive.
class BrowserStatements {
public:
    struct Statement {
        QString sql;
        // Tables that may be missing in an older file: the statement is skipped when one is.
        // Empty: the statement must run (a missing table is a failure).
        QString optionalTable;
        // Values bound to ?1, ?2, ... in order; never pasted into the text.
        QStringList values = {};
    };
    struct Kind {
        QString browser; // "Google Chrome", ...
        QString kind;    // "Browsing History", ...
        Statement count; // one statement giving one number
        QList<Statement> deletes;
    };

    // The statements of KIND for BROWSER; null when that kind is not kept in a database.
    static const Kind* find(const QString& browser, const QString& kind);
    static const QList<Kind>& all();
};

#pragma once

#include "app/Main/FileEraser/FileObj.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace historytest {

// A temporary bundle holding a new, empty history database and its own user defaults, set as
// the bundle the programs' code finds. Restores the lookup on destruction.
class TempHistory {
public:
    TempHistory();
    ~TempHistory();
    QString root() const { return m_dir.path(); }
    QString bundle() const { return m_bundle; }
    QString database() const { return m_database; }
    // Rows of TABLE, read directly rather than through the code under test.
    int rowCount(const QString& table) const;

private:
    QTemporaryDir m_dir;
    QString m_bundle;
    QString m_database;
};

// Makes an empty history database at PATH.
void makeDatabase(const QString& path);
FileObjPtr item(const QString& path, const QString& result);
QDateTime at(const QString& key);
// Makes sure a QApplication exists (widget tests share one).
void ensureApplication();

} // namespace historytest

#pragma once

#include "app/uninstall/UninstallFolders.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A home and a machine-wide tree in a temporary folder, with a folder list like the shipped one
// that points into it, so nothing outside it is ever looked at or removed.
class UninstallFixture {
public:
    UninstallFixture();

    QString home() const { return m_dir.path() + QStringLiteral("/home/ann"); }
    QString system() const { return m_dir.path() + QStringLiteral("/sys"); }
    // The folder list for this tree (user folders under home(), local ones under system()).
    UninstallFolders folders() const;

    // Writes CONTENT to PATH (folders made), returns PATH.
    static QString write(const QString& path, const QByteArray& content = "x");
    static QString desktopEntry(const QString& path, const QString& name,
                                const QString& extra = QString());

private:
    QTemporaryDir m_dir;
    QString m_plist;
};

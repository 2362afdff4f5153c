#pragma once

#include "platform/UserAccount.h"

#include <QByteArray>
#include <QString>

// Moves files to the Trash of a user as the freedesktop.org Trash standard lays it out, so
// that the user's file manager shows them and can put them back: the home trash
// (~/.local/share/Trash) for files on the home folder's file system, otherwise the volume's own
// ($topdir/.Trash/$uid when the administrator made that shared folder, else $topdir/.Trash-$uid).
//
// The program may run as root for another user: every folder on the way into the trash is
// opened without following links and must belong to that user (or be the shared, sticky
// .Trash); what is created is given to the user. The info file is created first, exclusively,
// which reserves the name; the file is then renamed into files/ (never copied).
class FreedesktopTrash {
public:
    explicit FreedesktopTrash(UserAccount user);

    // Moves the file at NATIVEPATH (absolute) to the trash. WHY says what went wrong.
    bool moveToTrash(const QByteArray& nativePath, QString* why = nullptr);
    // Where the last moved file went (its path in files/).
    QByteArray lastTrashedPath() const { return m_lastTrashed; }

private:
    UserAccount m_user;
    QByteArray m_lastTrashed;
};

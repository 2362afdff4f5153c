#pragma once

#include <QString>
#include <QStringList>
#include <sys/types.h>

// Finds the folders a browser keeps its data in below one user's home, as the program may trust
// them while it runs as root. A link on the way (a data folder moved elsewhere and linked back,
// a dotfile manager's ~/.config) is followed when it stays in the home; a link that leaves the
// home is refused, with the reason, never silently skipped. What comes back has no link left in
// it, so a kind's files can be named below it without following anything.
class HomeLinkResolver {
public:
    struct Result {
        QString path;       // the folder reached, link-free; empty when missing or refused
        QString refusal;    // why it was refused, for the user; empty otherwise
        QStringList linked; // "link -> target" for each link followed on the way
        bool refused() const { return !refusal.isEmpty(); }
    };

    // HOME is the account's home folder; UID the user who owns the data.
    HomeLinkResolver(const QString& home, uid_t uid);

    // The home itself, links resolved.
    const QString& home() const { return m_home; }
    uid_t uid() const { return m_uid; }

    // PATH (absolute, in the home as the account names it or resolved) as a link-free folder in
    // the home: each link on the way is followed once when its target is in the home; every
    // folder on the way belongs to the user or to root, and the folder itself to the user.
    Result resolveFolder(const QString& path) const;

    // PATH lies strictly below ROOT, every component between them is a real folder (no link),
    // and ROOT itself has no link in it. The last component may be anything, a link included
    // (it is then removed as a link). Checked again right before anything is removed, since
    // time has passed since the scan. WHY gets the reason when false.
    static bool isPlainBelow(const QString& root, const QString& path, QString* why = nullptr);

    // The owner of PATH itself (not followed); -1 when it cannot be read.
    static uid_t ownerOf(const QString& path);

    // "~/..." for a path in HOME, the path otherwise: how paths are shown.
    QString shown(const QString& path) const;

private:
    QString m_home;
    QString m_namedHome; // as the account database names it
    uid_t m_uid;
};

#pragma once

#include "app/inter/BrowserProfile.h"
#include "app/inter/EraserHistory.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <sys/types.h>

// Expands the data file's locations for one user: the install layouts of a browser that are
// there, their profiles, and what each data kind has in each profile. Only what lies in the
// user's home and belongs to the user is named: the program may run as root, and a path the
// user could point elsewhere must not lead it to read or remove another's files.
class BrowserLocator {
public:
    // NAME and HOME are an account the account database knows (UserAccount); UID owns the data.
    BrowserLocator(QString name, QString home, uid_t uid);

    QList<BrowserProfile> profiles(const EraserHistory::Browser& browser) const;
    // The existing locations of KIND in PROFILE, each a path owned by the user. SKIP holds what
    // an earlier profile already named (user-data wide caches), and gets these added.
    QStringList locations(const EraserHistory::Kind& kind, const BrowserProfile& profile,
                          QStringList* skip = nullptr) const;

    // PATTERN's paths that exist: a component with "*", "?" or "[" matches the names in its
    // folder; folders on the way below TRUSTED (the home) are entered only when they are real
    // folders, not links.
    static QStringList expandPattern(const QString& pattern, const QString& trusted);

    const QString& home() const { return m_home; }
    bool ownedByUser(const QString& path) const;

private:
    QString m_name, m_home;
    uid_t m_uid;
};

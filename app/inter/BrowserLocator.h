#pragma once

#include "app/inter/BrowserProfile.h"
#include "app/inter/EraserHistory.h"
#include "app/inter/HomeLinkResolver.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <sys/types.h>

// Expands the data file's locations for one user: the install layouts of a browser that are
// there, their profiles, and what each data kind has in each profile. The program may run as
// root, so every path is formed from a profile's link-free folder and a fixed relative rule,
// and only what lies there, belongs to the user and holds no profile is named. Whatever is
// found but may not be touched (a link out of the home, another user's file) is named too, with
// the reason, so that it is reported rather than silently skipped.
class BrowserLocator {
public:
    struct Profiles {
        QList<BrowserProfile> profiles;
        QStringList refusals; // folders found but not followed, with why
    };
    // One existing path of a location in a profile.
    struct Place {
        QString path;
        QString root;    // the profile's folder it lies below
        QString problem; // why it may not be touched; empty when it may
    };

    // NAME and HOME are an account the account database knows (UserAccount); UID owns the data.
    BrowserLocator(QString name, const QString& home, uid_t uid);

    Profiles profiles(const EraserHistory::Browser& browser) const;

    // Folders no location may be or hold (every profile and user-data folder found, and the
    // home): a rule that reached one would remove a profile whole.
    void setProtectedFolders(const QStringList& folders) { m_protected = folders; }

    // The existing paths of LOCATION in PROFILE.
    QList<Place> places(const EraserHistory::Location& location,
                        const BrowserProfile& profile) const;

    // PATTERN's paths that exist: a component with "*", "?" or "[" matches the names in its
    // folder; only real folders (not links) are entered below the first pattern.
    static QStringList expandPattern(const QString& pattern);

    const HomeLinkResolver& resolver() const { return m_resolver; }
    bool ownedByUser(const QString& path) const;

private:
    void addChromiumProfiles(const EraserHistory::Browser& browser,
                             const EraserHistory::Layout& layout, const QString& userData,
                             const QString& cache, Profiles* out) const;
    void addFirefoxProfiles(const QString& layout, const QString& namedUserData,
                            const QString& userData, const QString& namedCache,
                            const QString& cache, Profiles* out) const;
    // The folder PATH resolves to, or empty; a refusal goes to OUT.
    QString folder(const QString& path, Profiles* out) const;

    QString m_name;
    HomeLinkResolver m_resolver;
    QStringList m_protected;
};

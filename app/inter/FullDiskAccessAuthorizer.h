#pragma once

#include <QString>

// Whether the program may read the user's browser data. This system has no access gate of its
// own, so the probe asks what would stop the cleaner: whether the home folder of the user the
// program works for can be listed. 0 = not determined (no such user or home), 1 = denied (the
// home exists but cannot be listed: a home on a network or FUSE file system that refuses root,
// or permissions), 2 = authorized.
class FullDiskAccessAuthorizer {
public:
    enum Status { NotDetermined = 0, Denied = 1, Authorized = 2 };

    static FullDiskAccessAuthorizer* sharedAuthorizer();

    // Probes again on every call. HOME overrides the user's home (tests).
    int authorizationStatus(const QString& home = QString()) const;
    // There are no privacy settings to open here: the text the view shows instead.
    static QString requestAuthorizationText();

private:
    FullDiskAccessAuthorizer() = default;
};

#pragma once

#include "app/uninstall/PackageRef.h"
#include "platform/PrivilegedCommand.h"
#include "platform/UserAccount.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Removes an application the way it was installed: a Debian package with apt-get, a Flatpak
// application with flatpak, a snap with snap. A removal only counts as done once the package
// manager no longer lists the package.
class PackageRemoval {
    Q_DECLARE_TR_FUNCTIONS(PackageRemoval)

public:
    struct Tools {
        QString aptGet = QStringLiteral("/usr/bin/apt-get");
        QString dpkgQuery = QStringLiteral("/usr/bin/dpkg-query");
        QString flatpak = QStringLiteral("/usr/bin/flatpak");
        QString snap = QStringLiteral("/usr/bin/snap");
        QString env = QStringLiteral("/usr/bin/env");
        // Runs a user's Flatpak removal as that user when this process is root.
        QString runuser = QStringLiteral("/usr/sbin/runuser");
    };

    // What removing a package would do, found out before anything is changed.
    struct Plan {
        bool allowed = false;
        QString refusal;      // why not, a sentence for the user
        QStringList packages; // the packages the removal takes away
    };

    struct Outcome {
        bool ok = false;
        QString output; // what the tool printed, and why the removal failed
    };

    // USER owns the user Flatpak installations that are removed; commands that need rights run
    // with OPTIONS.
    PackageRemoval() : PackageRemoval(Tools()) {}
    explicit PackageRemoval(Tools tools,
                            PrivilegedCommand::Options options = PrivilegedCommand::systemOptions(),
                            std::optional<UserAccount> user = UserAccount::invokingUser());

    // A Debian package is simulated first: it may not be one the system needs, nor take other
    // packages with it.
    Plan simulate(const PackageRef& package) const;
    Outcome remove(const PackageRef& package);
    // Removes PACKAGES with one run per package manager and installation (one password
    // dialog, not one per package); an outcome for each, in order.
    QList<Outcome> removeAll(const QList<PackageRef>& packages);

private:
    Plan simulateDpkg(const PackageRef& package) const;
    // Whether a run that removed PACKAGE among others removed it.
    Outcome judge(const PackageRef& package, const PrivilegedCommand::Result& run,
                  const QString& output) const;
    PrivilegedCommand::Result runAsUser(const QStringList& argv) const;
    bool stillInstalled(const PackageRef& package, bool* unknown) const;

    Tools m_tools;
    PrivilegedCommand::Options m_options;
    std::optional<UserAccount> m_user;
};

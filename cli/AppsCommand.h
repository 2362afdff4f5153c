#pragma once

#include "app/Job/UninstallOperation.h"
#include "app/uninstall/AppCatalog.h"

#include <QCoreApplication>
#include <QStringList>

// korvane apps: the uninstaller from the command line. Lists applications, widgets and
// plug-ins, shows what belongs to an application, and removes applications with their files
// through the same code as the window.
class AppsCommand {
    Q_DECLARE_TR_FUNCTIONS(AppsCommand)

public:
    static int run(const QStringList& args);

    struct RemoveOptions {
        bool keepRelated = false;
        bool yes = false;
        UninstallOperation::Options operation; // the system's package tools when left empty
    };
    // `apps remove`: removes the applications WANTED (names, ids or paths) among APPS, each with
    // its related files, through the uninstall operation on the command line's runner; the exit
    // status (2 for a name that is no application).
    static int remove(const AppCatalog& catalog, const QList<AMAppItemPtr>& apps,
                      const QStringList& wanted, const RemoveOptions& options);
};

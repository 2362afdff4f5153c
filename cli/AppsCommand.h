#pragma once

#include <QStringList>

// korvane apps: the uninstaller from the command line. Lists applications, widgets and
// plug-ins, shows what belongs to an application, and removes applications with their files
// through the same code as the window.
class AppsCommand {
public:
    static int run(const QStringList& args);
};

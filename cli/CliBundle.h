#pragma once

#include <QCoreApplication>
#include <QString>

// How the command-line front end finds the program bundle: the --bundle option, else the
// KORVANE_BUNDLE environment variable, else the bundle next to the executable (build/bin/korvane
// → build/bundle/KorvaneLoader.app; PREFIX/bin/korvane → PREFIX/KorvaneLoader.app).
class CliBundle {
    Q_DECLARE_TR_FUNCTIONS(CliBundle)

public:
    // Points BundleLocator at the bundle. False, with a message for the user in *error, when no
    // bundle can be found.
    static bool use(const QString& option, QString* error);
    static QString bundleNextTo(const QString& executable);
    // The bundle use() would take for ARGS (a verb's words, "--bundle DIR" among them), found
    // before any verb runs: the translation tables are in it. Empty when there is none.
    static QString bundleFor(const QStringList& args);
};

#pragma once

#include <QString>

// Finds the program bundle and its resources. The bundle is laid out the same in the build tree
// and in an install:
//   KorvaneLoader.app/Contents/MacOS/KorvaneLoader
//   KorvaneLoader.app/Contents/Resources/                      (the loader's resources)
//   KorvaneLoader.app/Contents/MacOS/Korvane Data Eraser.app/Contents/MacOS/Korvane Data Eraser
//   KorvaneLoader.app/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/
// The GUI programs locate it only from their own executable (never from the environment, since
// the main program runs as root); the command-line front end and tests set it explicitly.
class BundleLocator {
public:
    static inline const QString kMainProgramName = QStringLiteral("Korvane Data Eraser");
    static inline const QString kLoaderProgramName = QStringLiteral("KorvaneLoader");

    // The outer bundle (…/KorvaneLoader.app), or empty when it cannot be found. Derived from the
    // executable on the first call: programs call it first thing in main().
    static QString outerBundlePath();
    // The inner, main application bundle: OUTER + "/Contents/MacOS/Korvane Data Eraser.app".
    static QString mainBundlePath();
    static QString mainResourcesPath();
    static QString loaderResourcesPath();
    static QString mainExecutablePath();
    static QString loaderExecutablePath();

    // Path of the resource NAME of TYPE ("NexwipeBase", "plist") in the main bundle's
    // Resources folder; empty when it does not exist. An empty type means the bare name.
    static QString mainResource(const QString& name, const QString& type);
    // The same in the loader (outer) bundle's Resources folder.
    static QString loaderResource(const QString& name, const QString& type);

    // Overrides the outer bundle path (tests, `korvane --bundle`). An empty path clears it.
    static void setOuterBundlePath(const QString& path);

    // The running executable, resolved through /proc/self/exe.
    static QString runningExecutablePath();

    // Derives the outer bundle from an executable path inside it; empty when the path is not in
    // a bundle. Public so that the rules can be tested without moving executables around.
    static QString outerBundleFromExecutable(const QString& executablePath);

private:
    static QString resourceIn(const QString& folder, const QString& name, const QString& type);
};

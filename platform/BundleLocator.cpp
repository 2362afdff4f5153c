#include "platform/BundleLocator.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString& overridePath() {
    static QString path;
    return path;
}
} // namespace

QString BundleLocator::runningExecutablePath() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString BundleLocator::outerBundleFromExecutable(const QString& executablePath) {
    // Pure path arithmetic: the rules must hold for paths that do not exist too.
    const QStringList parts = QDir::cleanPath(executablePath).split(QLatin1Char('/'));
    const qsizetype n = parts.size();
    auto isBundleAt = [&](qsizetype exeIndex) {
        // parts[exeIndex] is an executable in X.app/Contents/MacOS.
        return exeIndex >= 3 && parts[exeIndex - 1] == QLatin1String("MacOS") &&
               parts[exeIndex - 2] == QLatin1String("Contents") &&
               parts[exeIndex - 3].endsWith(QLatin1String(".app"));
    };
    if (n < 4 || !isBundleAt(n - 1))
        return {};
    // Inside the main application bundle: the outer bundle is three levels further up, and the
    // main bundle itself is the "executable" of the outer bundle's MacOS folder.
    if (parts[n - 4] == kMainProgramName + QLatin1String(".app")) {
        if (!isBundleAt(n - 4))
            return {};
        return parts.mid(0, n - 6).join(QLatin1Char('/'));
    }
    return parts.mid(0, n - 3).join(QLatin1Char('/'));
}

QString BundleLocator::outerBundlePath() {
    if (!overridePath().isEmpty())
        return overridePath();
    // Worked out once: when the program is rebuilt or upgraded while it runs, its executable
    // reads as deleted and could no longer lead to the bundle (nor to the srm tool).
    static const QString fromExecutable = outerBundleFromExecutable(runningExecutablePath());
    return fromExecutable;
}

void BundleLocator::setOuterBundlePath(const QString& path) {
    overridePath() = path.isEmpty() ? QString() : QDir(path).absolutePath();
}

QString BundleLocator::mainBundlePath() {
    const QString outer = outerBundlePath();
    if (outer.isEmpty())
        return {};
    return outer + QLatin1String("/Contents/MacOS/") + kMainProgramName + QLatin1String(".app");
}

QString BundleLocator::mainResourcesPath() {
    const QString main = mainBundlePath();
    return main.isEmpty() ? QString() : main + QLatin1String("/Contents/Resources");
}

QString BundleLocator::loaderResourcesPath() {
    const QString outer = outerBundlePath();
    return outer.isEmpty() ? QString() : outer + QLatin1String("/Contents/Resources");
}

QString BundleLocator::mainExecutablePath() {
    const QString main = mainBundlePath();
    return main.isEmpty() ? QString() : main + QLatin1String("/Contents/MacOS/") + kMainProgramName;
}

QString BundleLocator::loaderExecutablePath() {
    const QString outer = outerBundlePath();
    return outer.isEmpty() ? QString()
                           : outer + QLatin1String("/Contents/MacOS/") + kLoaderProgramName;
}

QString BundleLocator::resourceIn(const QString& folder, const QString& name, const QString& type) {
    if (folder.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/')))
        return {};
    const QString file = type.isEmpty() ? name : name + QLatin1Char('.') + type;
    const QString path = folder + QLatin1Char('/') + file;
    return QFileInfo::exists(path) ? path : QString();
}

QString BundleLocator::mainResource(const QString& name, const QString& type) {
    return resourceIn(mainResourcesPath(), name, type);
}

QString BundleLocator::loaderResource(const QString& name, const QString& type) {
    return resourceIn(loaderResourcesPath(), name, type);
}

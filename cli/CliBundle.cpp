#include "cli/CliBundle.h"

#include "platform/BundleLocator.h"

#include <QDir>
#include <QFileInfo>

QString CliBundle::bundleNextTo(const QString& executable) {
    if (executable.isEmpty())
        return {};
    const QDir binDir = QFileInfo(executable).absoluteDir();
    const QString app = BundleLocator::kLoaderProgramName + QStringLiteral(".app");
    for (const QString& candidate : {binDir.absoluteFilePath(QStringLiteral("../bundle/") + app),
                                     binDir.absoluteFilePath(QStringLiteral("../") + app)})
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    return {};
}

bool CliBundle::use(const QString& option, QString* error) {
    QString bundle = option;
    if (bundle.isEmpty())
        bundle = qEnvironmentVariable("KORVANE_BUNDLE");
    if (bundle.isEmpty())
        bundle = bundleNextTo(BundleLocator::runningExecutablePath());
    if (bundle.isEmpty() || !QFileInfo(bundle).isDir()) {
        if (error)
            *error = bundle.isEmpty()
                         ? QStringLiteral("cannot find the KorvaneLoader.app bundle; "
                                          "give it with --bundle DIR or KORVANE_BUNDLE")
                         : QStringLiteral("no bundle at %1").arg(bundle);
        return false;
    }
    BundleLocator::setOuterBundlePath(bundle);
    return true;
}

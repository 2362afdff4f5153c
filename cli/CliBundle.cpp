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

QString CliBundle::bundleFor(const QStringList& args) {
    QString bundle;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--"))
            break;
        if (args.at(i) == QLatin1String("--bundle") && i + 1 < args.size())
            bundle = args.at(i + 1);
        else if (args.at(i).startsWith(QLatin1String("--bundle=")))
            bundle = args.at(i).mid(9);
    }
    if (bundle.isEmpty())
        bundle = qEnvironmentVariable("KORVANE_BUNDLE");
    if (bundle.isEmpty())
        bundle = bundleNextTo(BundleLocator::runningExecutablePath());
    return bundle;
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
                         ? tr("cannot find the KorvaneLoader.app bundle; give it with --bundle DIR "
                              "or KORVANE_BUNDLE")
                         : tr("no bundle at %1").arg(bundle);
        return false;
    }
    BundleLocator::setOuterBundlePath(bundle);
    return true;
}

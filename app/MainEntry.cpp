#include "app/MainEntry.h"

#include "platform/BundleLocator.h"
#include "platform/Logger.h"

#include <QFileInfo>
#include <QProcess>
#include <cstring>

bool MainEntry::shouldRunApplication(int argc, const char* const* argv) {
    if (argc < 2 || argv[1] == nullptr)
        return false;
    const char* first = argv[1];
    if (*first == '\0')
        return false;
    // A first argument that is not plain ASCII counts as absent.
    for (const char* c = first; *c; ++c)
        if (static_cast<unsigned char>(*c) > 0x7f)
            return false;
    return true;
}

bool ZZManRunLoader() {
    const QString loader = BundleLocator::loaderExecutablePath();
    if (loader.isEmpty() || !QFileInfo(loader).isExecutable()) {
        Logger::log(QStringLiteral("Cannot find the loader to launch: %1").arg(loader));
        return false;
    }
    return QProcess::startDetached(loader, {});
}

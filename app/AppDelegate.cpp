#include "app/AppDelegate.h"

#include "app/Comm/UserDefaults.h"
#include "platform/BundleLocator.h"

#include <QApplication>
#include <QLabel>

int AppDelegate::runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(BundleLocator::kMainProgramName);
    // The erasure level defaults to one pass.
    const UserDefaults defaults = UserDefaults::mainProgram();
    if (defaults.eraserTimes() <= 0)
        defaults.setEraserTimes(1);
    QLabel window(QStringLiteral("Korvane Data Eraser"));
    window.resize(984, 640);
    window.show();
    return QApplication::exec();
}

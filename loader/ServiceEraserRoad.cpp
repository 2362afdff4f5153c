#include "loader/ServiceEraserRoad.h"

#include "app/ui/Theme.h"
#include "loader/Eraser/ServiceEraser.h"
#include "platform/BundleLocator.h"
#include "platform/Translations.h"

#include <QApplication>
#include <memory>

bool runServiceEraser(const QString& path) {
    // The loader has no application object on its other roads; its window needs one.
    std::unique_ptr<QApplication> ownApp;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "KorvaneLoader";
        static char* argv[] = {name, nullptr};
        ownApp = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName(BundleLocator::kLoaderProgramName);
        Translations::install();
    }
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        Theme::apply(*app);
    // The loader's own window erases the path (or shows the NTFS notice) until its OK button.
    runServiceEraserWindow(path);
    return true;
}

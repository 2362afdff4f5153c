#include "loader/Eraser/ServiceEraser.h"

#include "loader/Eraser/EraserWC.h"
#include "loader/Eraser/NTFSFileAlert.h"
#include "platform/FileSystemInfo.h"
#include "platform/Logger.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

ServiceEraserVolume lookUpType(const QString& path) {
    const FileSystemInfo info = FileSystemInfo::forPath(path);
    return {info.success,     info.removable,   info.writable,
            info.unmountable, info.description, info.type};
}

void centreOnScreen(QWidget* window) {
    window->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

} // namespace

int runServiceEraserWindow(const QString& path, VolumeQuery query,
                           FileObjBuilder::SolidStateTest solidState) {
    const ServiceEraserVolume volume = query ? query(path) : lookUpType(path);
    // One substitution pass, so that a "%" in the path cannot pick up a later value.
    const auto flag = [](bool value) { return QString::number(int(value)); };
    Logger::log(QStringLiteral("Result:%1 Volume: %2, Removable:%3, W:%4, Unmountable:%5, "
                               "Desc:%6, type:%7")
                    .arg(flag(volume.success), path, flag(volume.removable), flag(volume.writable),
                         flag(volume.unmountable), volume.description, volume.type));

    if (FileSystemInfo::isNtfsType(volume.type)) {
        NTFSFileAlert alert;
        alert.show();
        centreOnScreen(&alert);
        alert.raise();
        alert.activateWindow();
        alert.exec();
        return 0;
    }
    EraserWC window(nullptr, QString(), std::move(solidState));
    window.show();
    centreOnScreen(&window);
    window.raise();
    window.activateWindow();
    window.eumeFileWithPath(path);
    window.exec();
    return window.succeeded() ? 0 : 1;
}

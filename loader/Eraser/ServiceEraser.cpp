#include "loader/Eraser/ServiceEraser.h"

#include "app/Main/FileEraser/VolumeTypeLookup.h"
#include "loader/Eraser/EraserWC.h"
#include "loader/Eraser/NTFSFileAlert.h"
#include "platform/Logger.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

ServiceEraserVolume lookUpType(const QString& path) {
    ServiceEraserVolume volume;
    volume.type = VolumeTypeLookup::typeOf(path);
    volume.success = !volume.type.isEmpty();
    volume.description = volume.type;
    return volume;
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
                           std::function<bool(const QString&)> solidState) {
    const ServiceEraserVolume volume = query ? query(path) : lookUpType(path);
    // One substitution pass, so that a "%" in the path cannot pick up a later value.
    const auto flag = [](bool value) { return QString::number(int(value)); };
    Logger::log(QStringLiteral("Result:%1 Volume: %2, Removable:%3, W:%4, Unmountable:%5, "
                               "Desc:%6, type:%7")
                    .arg(flag(volume.success), path, flag(volume.removable), flag(volume.writable),
                         flag(volume.unmountable), volume.description, volume.type));

    const bool ntfs =
        volume.type.contains(QLatin1String("ntfs")) || volume.type.contains(QLatin1String("NTFS"));
    if (ntfs) {
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
    return 0;
}

// Makes the screenshots of Erase Hard Drive's drive wipe for docs/: the drive list with the
// given drives ticked, the confirmation with its consents ticked, the drives wiping side by
// side (grabbed once every drive is past its first pass) and the end view, after Stop (stop)
// or once the wipe has run to its end (end).
//
//   wipe_drive_screenshots OUTDIR LEVEL stop|end DEVICE...
//
// It wipes DEVICE... for real: give it only loop devices made for it. Runs offscreen.
#include "ModuleUiTestSupport.h"

#include "app/Comm/UserDefaults.h"
#include "app/Main/MainWindowController.h"
#include "app/Main/WipeDisk/DriveListView.h"
#include "app/Main/WipeDisk/DrivePlanPreview.h"
#include "app/Main/WipeDisk/WipeDiskViewController.h"
#include "app/Main/WipeDisk/WipeDriveProViewController.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Theme.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

AttachedWindow* attached(const QString& viewName) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<AttachedWindow*>(top))
            if (window->isVisible() && window->view()->objectName() == viewName)
                return window;
    return nullptr;
}

// The main window with the attached window that is open, as the user sees them.
bool save(QWidget& window, const QString& path) {
    QPixmap shot = window.grab();
    QPainter painter(&shot);
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<AttachedWindow*>(top); dialog && dialog->isVisible())
            painter.drawPixmap(dialog->mapToGlobal(QPoint()) - window.mapToGlobal(QPoint()),
                               dialog->grab());
    painter.end();
    const bool saved = shot.save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5 || (qstrcmp(argv[3], "stop") != 0 && qstrcmp(argv[3], "end") != 0)) {
        std::fprintf(stderr, "usage: wipe_drive_screenshots OUTDIR LEVEL stop|end DEVICE...\n");
        return 2;
    }
    const bool stop = qstrcmp(argv[3], "stop") == 0;
    QTemporaryDir config;
    moduletest::prepareScreenshotRun(config);
    QApplication app(argc, argv);
    Theme::apply(app);
    const QString out = QString::fromLocal8Bit(argv[1]);
    QStringList devices;
    for (int i = 4; i < argc; ++i)
        devices << QString::fromLocal8Bit(argv[i]);
    moduletest::TempBundle bundle(moduletest::TempBundle::Tool::Real);
    UserDefaults::mainProgram().setEraserTimes(QString::fromLocal8Bit(argv[2]).toInt());

    MainWindowController window(::geteuid() == 0);
    auto* page = new WipeDiskViewController(&window, WipeDiskViewController::kWholeVolume);
    window.setModulePage(MainModule::EraseHardDrive, page);
    window.resize(984, 640);
    window.show();
    window.showModule(MainModule::EraseHardDrive);

    // One step at a time, polled: the questions run local event loops of their own.
    int step = 0;
    bool previewShown = false;
    QObject::connect(page->drivePreview(), &DrivePlanPreview::shown, [&] { previewShown = true; });
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (step == 0 && page->driveList()->chosenDevices() != devices) {
            for (const QString& device : devices)
                page->driveList()->setChosen(device, true);
        } else if (step == 0 && previewShown) {
            save(window, out + QStringLiteral("/erase-hard-drive-list.png"));
            step = 1;
            QTimer::singleShot(0, page->eraseButton(), &ImageButton::click);
        } else if (AttachedWindow* confirm = attached("MakeSureWipeDriveViewController");
                   step == 1 && confirm) {
            for (QCheckBox* box : confirm->view()->findChildren<QCheckBox*>())
                box->setChecked(true);
            QApplication::processEvents();
            save(window, out + QStringLiteral("/erase-hard-drive-drives-confirm.png"));
            step = 2;
            QTimer::singleShot(0, confirm->view()->findChild<ImageButton*>("eraseButton"),
                               &ImageButton::click);
        } else if (AttachedWindow* progress = attached("WipeDriveProViewController");
                   step == 2 && progress) {
            auto* view = static_cast<WipeDriveProViewController*>(progress->view());
            bool allGoing = true;
            for (int row = 0; row < view->rowCount(); ++row)
                allGoing = allGoing && view->textOf(row)->text().contains(QStringLiteral("left"));
            for (int row = 0; row < view->rowCount(); ++row)
                allGoing =
                    allGoing && !view->textOf(row)->text().startsWith(QStringLiteral("Pass 1 "));
            if (allGoing) {
                save(window, out + QStringLiteral("/erase-hard-drive-drives-progress.png"));
                step = 3;
                if (stop)
                    QTimer::singleShot(0, view->stopButton(), &ImageButton::click);
            }
        } else if (AttachedWindow* end = attached("WipeDriveEndViewController"); step == 3 && end) {
            save(window, out + (stop ? QStringLiteral("/erase-hard-drive-drives-stopped.png")
                                     : QStringLiteral("/erase-hard-drive-drives-end.png")));
            step = 4;
            QTimer::singleShot(0, end->view()->findChild<ImageButton*>("okButton"),
                               &ImageButton::click);
            QTimer::singleShot(500, &app, &QApplication::quit);
        }
    });
    poll.start();
    QTimer::singleShot(15 * 60 * 1000, &app, [&] {
        std::fprintf(stderr, "gave up at step %d\n", step);
        app.exit(1);
    });
    return app.exec();
}

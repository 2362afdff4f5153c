// Makes screenshots of the main window, each module page and the common attached views in a
// language, offscreen, for docs/ and for looking at long texts; and names every text that does
// not fit its widget (a label without word wrap or a button narrower than its text).
//
//   window_screenshots OUTDIR [LOCALE] [WIDTHxHEIGHT]      (de_DE.UTF-8, 1280x800)
#include "../module/ModuleUiTestSupport.h"
#include "app/AppDelegate.h"
#include "app/Comm/PublicUtilities.h"
#include "app/Main/AboutViewController.h"
#include "app/Main/FileEraser/FileEraserFailViewController.h"
#include "app/Main/FileEraser/MakeSureFileEraserViewControoler.h"
#include "app/Main/MainWindowController.h"
#include "app/Main/ModuleCatalog.h"
#include "app/Main/WipeDisk/MakeSureWipeDiskViewController.h"
#include "app/Main/WipeDisk/MakeSureWipeFreeSpaceViewController.h"
#include "app/Main/WipeDisk/WipeTimeEstimate.h"
#include "app/SetEraserLevel/HistoryViewController.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Theme.h"
#include "platform/BundleLocator.h"
#include "platform/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

void reportCut(QWidget* root, const QString& where) {
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->wordWrap() || label->text().isEmpty() ||
            label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text()))
            continue;
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        if (needed > label->contentsRect().width() + 1)
            std::printf("CUT %s: label \"%s\" needs %d, has %d\n", qPrintable(where),
                        qPrintable(label->text()), needed, label->contentsRect().width());
    }
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        QFont bold = button->font();
        bold.setBold(true);
        const int needed = QFontMetrics(bold).horizontalAdvance(button->text()) + 16;
        if (needed > button->width())
            std::printf("CUT %s: button \"%s\" needs %d, has %d\n", qPrintable(where),
                        qPrintable(button->text()), needed, button->width());
    }
}

bool save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    QPixmap shot = window.grab();
    QPainter painter(&shot);
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<AttachedWindow*>(top); dialog && dialog->isVisible()) {
            painter.drawPixmap(dialog->mapToGlobal(QPoint()) - window.mapToGlobal(QPoint()),
                               dialog->grab());
            reportCut(dialog, path);
        }
    painter.end();
    reportCut(&window, path);
    const bool saved = shot.save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_screenshots OUTDIR [LOCALE] [WIDTHxHEIGHT]\n");
        return 2;
    }
    QTemporaryDir config;
    moduletest::prepareScreenshotRun(config);
    QApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString locale = argc > 2 ? QString::fromLocal8Bit(argv[2]) : "de_DE.UTF-8";
    const QStringList size = (argc > 3 ? QString::fromLocal8Bit(argv[3]) : "1280x800").split('x');
    const QString language = locale.section('_', 0, 0).section('.', 0, 0);

    BundleLocator::setOuterBundlePath(QStringLiteral(KORVANE_BUNDLE_DIR));
    Translations::install(locale);
    // The real tools: the volume and drive pages list what is mounted and attached.
    moduletest::TempBundle bundle(moduletest::TempBundle::Tool::Real);
    moduletest::PrivateUserDefaults defaults(3);

    AppDelegate delegate;
    delegate.applicationDidFinishLaunching(app);
    MainWindowController& window = *delegate.mainWindow();
    window.resize(size.value(0).toInt(), size.value(1).toInt());
    window.show();
    window.showModule(MainModule::EraseFiles);
    save(window, out + QStringLiteral("/main-window-%1.png").arg(language));
    for (const ModuleInfo& module : ModuleCatalog::all()) {
        window.showModule(module.module);
        // The volume and drive lists are read on a thread of their own when a page is shown.
        QTest::qWait(2500);
        save(window, out + QStringLiteral("/module-%1-%2.png")
                               .arg(ModuleCatalog::indexOf(module.module))
                               .arg(language));
    }
    window.showModule(MainModule::EraseFiles);

    // The erasure standard panel slides in over the file eraser, as from its settings button.
    for (ImageButton* button : window.findChildren<ImageButton*>())
        if (button->imageName() == QLatin1String("ic_settings") && button->isVisible()) {
            button->click();
            QTest::qWait(900);
            save(window, out + QStringLiteral("/erasure-standard-panel-%1.png").arg(language));
            // Closed again, so the attached views below come up over the file eraser.
            for (ImageButton* cancel : window.findChildren<ImageButton*>("cancelButton"))
                if (cancel->isVisible())
                    cancel->click();
            QTest::qWait(900);
            break;
        }

    // The stored standard, the one the page header above names.
    const QString standard = PublicUtilities::getEraserTimes();
    // Each question over the page that asks it, for the "USB STICK" volume a screenshot run
    // mounts (254.84 MB, 194.53 MB free).
    const struct {
        const char* name;
        MainModule page;
        QWidget* view;
    } views[] = {
        {"confirm-erase-files", MainModule::EraseFiles,
         new MakeSureFileEraserViewControoler(3, standard)},
        {"confirm-erase-volume", MainModule::EraseHardDrive,
         new MakeSureWipeDiskViewController(QStringLiteral("USB STICK"), QStringLiteral("3×"),
                                            WipeTimeEstimate::beforeText(254'840'000ull, 3))},
        {"confirm-erase-free-space", MainModule::EraseFreeSpace,
         new MakeSureWipeFreeSpaceViewController(QStringLiteral("USB STICK"), QStringLiteral("3×"),
                                                 WipeTimeEstimate::beforeText(194'530'000ull, 3))},
        {"erase-files-cancelled", MainModule::EraseFiles,
         new FileEraserFailViewController(1, 2, true)},
        {"history", MainModule::EraseFiles, new HistoryViewController},
        {"about", MainModule::EraseFiles, new AboutViewController},
    };
    for (const auto& [name, page, view] : views) {
        window.showModule(page);
        QTest::qWait(page == MainModule::EraseFiles ? 0 : 2500);
        AttachedWindow* attached = AttachedWindow::present(view, &window);
        save(window, out + QStringLiteral("/%1-%2.png").arg(QLatin1String(name), language));
        attached->close();
        QApplication::processEvents();
    }
    BundleLocator::setOuterBundlePath({});
    return 0;
}

#include "app/AppDelegate.h"

#include "app/Comm/SettingsStore.h"
#include "app/Comm/UserDefaults.h"
#include "app/Main/FileEraser/FileEraserViewController.h"
#include "app/Main/WipeDisk/WipeDiskViewController.h"
#include "app/MainEntry.h"
#include "app/RepairDisk/DiskFormatViewController.h"
#include "app/RepairDisk/DiskToolViewController.h"
#include "app/duplicat/DuplicateViewController.h"
#include "app/inter/InternetViewController.h"
#include "app/ui/Theme.h"
#include "app/uninstall/UninstallViewController.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"
#include "platform/Translations.h"

#include <QApplication>
#include <unistd.h>

AppDelegate::AppDelegate() = default;
AppDelegate::~AppDelegate() = default;

void AppDelegate::ensureEraserTimes() {
    const UserDefaults defaults = UserDefaults::mainProgram();
    if (defaults.eraserTimes() == 0)
        defaults.setEraserTimes(1);
}

void AppDelegate::writeFontKeys(const MainWindowController::ReferenceFonts& fonts) {
    const SettingsStore store = SettingsStore::mainStore();
    const std::pair<const char*, const QFont*> keys[] = {
        {"FontRegular", &fonts.regular}, {"FontLight", &fonts.light}, {"FontBold", &fonts.bold}};
    for (const auto& [key, font] : keys) {
        const QString name = Theme::fontName(*font);
        if (!store.setValue(QLatin1String(key), name))
            Logger::log(QStringLiteral("Cannot record font %1 = %2 in the settings store %3")
                            .arg(QLatin1String(key), name, store.path()));
    }
}

void AppDelegate::applicationDidFinishLaunching(QApplication& app) {
    Theme::apply(app);
    ensureEraserTimes();
    m_window = std::make_unique<MainWindowController>(geteuid() == 0);
    auto* fileEraser = new FileEraserViewController(m_window.get());
    auto* freeSpace =
        new WipeDiskViewController(m_window.get(), WipeDiskViewController::kFreeSpace);
    m_window->setModulePage(MainModule::EraseFiles, fileEraser);
    m_window->setModulePage(MainModule::EraseFreeSpace, freeSpace);
    // The file eraser's offer after an erasure on a copy-on-write volume.
    QObject::connect(fileEraser, &FileEraserViewController::freeSpaceWipeRequested, freeSpace,
                     [window = m_window.get(), freeSpace](const QString& mountPoint) {
                         if (window->showModule(MainModule::EraseFreeSpace))
                             freeSpace->eraseFreeSpaceOf(mountPoint);
                     });
    m_window->setModulePage(
        MainModule::EraseHardDrive,
        new WipeDiskViewController(m_window.get(), WipeDiskViewController::kWholeVolume));
    m_window->setModulePage(MainModule::DiskFormat, new DiskFormatViewController(m_window.get()));
    m_window->setModulePage(MainModule::DiskTool, new DiskToolViewController(m_window.get()));
    m_window->setModulePage(MainModule::Uninstaller, new UninstallViewController(m_window.get()));
    m_window->setModulePage(MainModule::InternetCleaner,
                            new InternetViewController(m_window.get()));
    m_window->setModulePage(MainModule::DuplicateFinder,
                            new DuplicateViewController(m_window.get()));
    writeFontKeys(m_window->referenceFonts());
}

int AppDelegate::runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(BundleLocator::kMainProgramName);
    QApplication::setApplicationVersion(QStringLiteral(KORVANE_VERSION));
    // Started through pkexec the environment has no locale: the loader names the user's.
    Translations::install(MainEntry::localeArgument(argc, argv));
    AppDelegate delegate;
    delegate.applicationDidFinishLaunching(app);
    delegate.mainWindow()->show();
    return QApplication::exec();
}

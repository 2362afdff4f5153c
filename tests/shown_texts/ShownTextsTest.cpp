#include "ShownTexts.h"
#include "../module/ModuleUiTestSupport.h"
#include "app/AppDelegate.h"
#include "app/FileCopy/DiskCopyViewController.h"
#include "app/Main/AboutViewController.h"
#include "app/Main/FileEraser/EraseReport.h"
#include "app/Main/FileEraser/FileEraserFailViewController.h"
#include "app/Main/FileEraser/FileEraserNtfsNotice.h"
#include "app/Main/FileEraser/FileEraserProgressViewController.h"
#include "app/Main/FileEraser/FileEraserSuccessViewController.h"
#include "app/Main/FileEraser/FileEraserViewController.h"
#include "app/Main/FileEraser/MakeSureEraseProtectedViewController.h"
#include "app/Main/FileEraser/MakeSureFileEraserViewControoler.h"
#include "app/Main/MainWindowController.h"
#include "app/Main/WipeDisk/DriveWipeMeter.h"
#include "app/Main/WipeDisk/MakeSureWipeDiskViewController.h"
#include "app/Main/WipeDisk/MakeSureWipeDriveViewController.h"
#include "app/Main/WipeDisk/MakeSureWipeFreeSpaceViewController.h"
#include "app/Main/WipeDisk/NTFSViewController.h"
#include "app/Main/WipeDisk/SystemEraserViewController.h"
#include "app/Main/WipeDisk/WipeDiskProViewController.h"
#include "app/Main/WipeDisk/WipeDriveEndViewController.h"
#include "app/Main/WipeDisk/WipeDriveProViewController.h"
#include "app/Main/WipeDisk/WipeFailViewController.h"
#include "app/Main/WipeDisk/WipeSuccessViewController.h"
#include "app/SetEraserLevel/CertificateSettingsForm.h"
#include "app/SetEraserLevel/ExportViewController.h"
#include "app/SetEraserLevel/HistoryViewController.h"
#include "app/SetEraserLevel/SetEraserLevelVC.h"
#include "app/duplicat/DuplicateDeleteProgressViewController.h"
#include "app/duplicat/MakeSureDuplicateDeleteViewController.h"
#include "app/inter/CleanerInterEndViewController.h"
#include "app/inter/CloseBrowerViewController.h"
#include "app/inter/CookieKeepListViewController.h"
#include "app/inter/FullDiskAccessAuthorizer.h"
#include "app/inter/FullDiskAccessViewController.h"
#include "app/inter/MakeSureCleanBrowsersViewController.h"
#include "app/uninstall/MakeSureUninstallViewController.h"
#include "app/uninstall/UninstallProgressViewController.h"
#include "loader/Eraser/EraserWC.h"
#include "loader/Eraser/NTFSFileAlert.h"
#include "platform/BundleLocator.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QLocale>
#include <QStackedWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The window's pages and views built under a German locale; a text still in English fails
// with the view it is in. Names of files, volumes, numbers and sizes pass: they hold no word.
class ShownTextsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        BundleLocator::setOuterBundlePath(QStringLiteral(KORVANE_BUNDLE_DIR));
        before = QLocale();
        ASSERT_EQ(Translations::install(QStringLiteral("de_DE.UTF-8")),
                  QStringLiteral("korvane_de.qm"));
        BundleLocator::setOuterBundlePath({});
        coreTexts = {};
        table = shownTexts::Table::read(
            QStringLiteral(KORVANE_SOURCE_DIR "/translations/korvane_de.ts"));
    }
    static void TearDownTestSuite() { QLocale::setDefault(before); }

    // The English texts in VIEW, one line each: "view: text (why)". Texts the core forms (its
    // reports and explanations) are the core's table's to translate, not the window's.
    static QStringList englishIn(const QString& name, QWidget* view) {
        QStringList found;
        for (const QString& text : shownTexts::collect(view))
            if (coreTexts.contains(text))
                continue;
            else if (const QString why = shownTexts::whyEnglish(text, table); !why.isEmpty())
                found << QStringLiteral("%1: \"%2\" (%3)").arg(name, text, why);
        return found;
    }

    // Texts the core forms, left to its own table.
    static inline QStringList coreTexts;
    static inline shownTexts::Table table;
    static inline QLocale before;
};

TEST_F(ShownTextsTest, TheCheckKnowsEnglishFromGerman) {
    ASSERT_GT(table.german.size(), 300);
    EXPECT_FALSE(shownTexts::whyEnglish(QStringLiteral("Erase Files"), table).isEmpty());
    EXPECT_FALSE(shownTexts::whyEnglish(QStringLiteral("3 of 5 items"), table).isEmpty());
    EXPECT_TRUE(shownTexts::whyEnglish(QStringLiteral("Dateien löschen"), table).isEmpty());
    for (const char* name : {"/dev/sdb1", "USB-STICK", "1,50 MB", "42", "photo.jpg", "ext4"})
        EXPECT_TRUE(shownTexts::whyEnglish(QString::fromUtf8(name), table).isEmpty()) << name;
}

TEST_F(ShownTextsTest, TheMainWindowAndEveryModulePageAreGerman) {
    moduletest::TempBundle bundle;
    moduletest::PrivateUserDefaults defaults(1);
    AppDelegate delegate;
    delegate.applicationDidFinishLaunching(*qApp);
    MainWindowController* window = delegate.mainWindow();
    ASSERT_NE(window, nullptr);
    QStringList english = englishIn(QStringLiteral("main window"), window);
    EXPECT_TRUE(english.isEmpty()) << english.join(QLatin1Char('\n')).toStdString();
}

// The file eraser's list with a file and a folder in it: its header, rows, summary and buttons.
TEST_F(ShownTextsTest, TheFileEraserListIsGerman) {
    moduletest::TempBundle bundle;
    moduletest::PrivateUserDefaults defaults(1);
    MainWindowController window(true);
    auto* page = new FileEraserViewController(&window);
    window.setModulePage(MainModule::EraseFiles, page);
    moduletest::writeFile(bundle.work() + "/Bericht.txt", 2000);
    moduletest::writeFile(bundle.work() + "/Fotos/Bild.jpg", 3000);
    page->addPaths({bundle.work() + "/Bericht.txt", bundle.work() + "/Fotos"});
    ASSERT_TRUE(page->showsList());
    // The rows are read: the folder's kind is shown in German.
    EXPECT_TRUE(shownTexts::collect(page).contains(QStringLiteral("Ordner")));
    const QStringList english = englishIn(QStringLiteral("file list"), page);
    EXPECT_TRUE(english.isEmpty()) << english.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ShownTextsTest, TheAttachedViewsAndTheLoadersWindowAreGerman) {
    moduletest::TempBundle bundle;
    moduletest::PrivateUserDefaults defaults(1);
    const QString standard = QStringLiteral("DoD 5220.22-M (3)");
    std::vector<std::pair<QString, std::unique_ptr<QWidget>>> views;
    auto add = [&views](const char* name, QWidget* view) {
        views.emplace_back(QString::fromLatin1(name), std::unique_ptr<QWidget>(view));
    };
    add("About", new AboutViewController);
    add("SetEraserLevel", new SetEraserLevelVC);
    add("CertificateSettings", new CertificateSettingsForm);
    add("History", new HistoryViewController);
    add("Export", new ExportViewController(QStringLiteral("/tmp/a.html"), QString()));
    add("ExportFailed", new ExportViewController(QStringLiteral("/tmp/a.html"),
                                                 QStringLiteral("Permission denied")));
    add("MakeSureFileEraser", new MakeSureFileEraserViewControoler(3, standard));
    add("MakeSureFileEraserOne", new MakeSureFileEraserViewControoler(1, standard));
    add("MakeSureEraseProtected", new MakeSureEraseProtectedViewController({}));
    add("FileEraserProgress", new FileEraserProgressViewController(standard));
    add("FileEraserSuccess", new FileEraserSuccessViewController(3));
    add("FileEraserFail", new FileEraserFailViewController(1, 2, false));
    add("FileEraserCancelled", new FileEraserFailViewController(1, 2, true));
    add("FileEraserNtfsNotice", new FileEraserNtfsNotice);
    add("MakeSureWipeDisk",
        new MakeSureWipeDiskViewController(QStringLiteral("USB"), QString(), QString()));
    add("MakeSureWipeFreeSpace",
        new MakeSureWipeFreeSpaceViewController(QStringLiteral("USB"), QString(), QString()));
    add("WipeDiskPro", new WipeDiskProViewController(standard));
    add("WipeFail", new WipeFailViewController(QString(), true));
    add("WipeSuccess", new WipeSuccessViewController(QString(), {}));
    DestructiveOperation::Plan drives;
    drives.kind = DestructiveOperation::Kind::WipeDrive;
    drives.items = {QStringLiteral("/dev/sdx"), QStringLiteral("/dev/sdy")};
    drives.level = 3;
    drives.standard = standard;
    add("MakeSureWipeDrive", new MakeSureWipeDriveViewController(drives));
    add("WipeDrivePro", new WipeDriveProViewController(drives));
    DestructiveOperation::Report report;
    report.kind = DestructiveOperation::Kind::WipeDrive;
    report.items = {{QStringLiteral("/dev/sdx"), DestructiveOperation::Outcome::Done},
                    {QStringLiteral("/dev/sdy"), DestructiveOperation::Outcome::Failed}};
    report.cancelled = true;
    add("WipeDriveEnd", new WipeDriveEndViewController(report, QString()));
    BrowserCleaner::Summary cleaned;
    cleaned.cleanedKinds = 3;
    cleaned.failedKinds = 1;
    cleaned.running = {QStringLiteral("Firefox")};
    cleaned.copyOnWrite = true;
    cleaned.solidState = true;
    add("CleanerEnd", new CleanerInterEndViewController(cleaned));
    coreTexts << BrowserCleaner::freeSpaceNote(cleaned);
    add("MakeSureCleanBrowsers", new MakeSureCleanBrowsersViewController({}, {}));
    for (auto method : {DuplicateDeleteJob::Method::Trash, DuplicateDeleteJob::Method::Remove,
                        DuplicateDeleteJob::Method::Erase})
        add("MakeSureDuplicateDelete", new MakeSureDuplicateDeleteViewController({}, method));
    add("MakeSureUninstall", new MakeSureUninstallViewController({}));
    add("NTFS", new NTFSViewController);
    add("SystemEraser", new SystemEraserViewController);
    add("DiskCopy", new DiskCopyViewController);
    add("DuplicateDeleteProgress", new DuplicateDeleteProgressViewController);
    add("UninstallProgress", new UninstallProgressViewController);
    add("CloseBrowsers", new CloseBrowerViewController({QStringLiteral("Firefox")}));
    add("CookieKeepList", new CookieKeepListViewController(CookieKeepList()));
    add("FullDiskAccess", new FullDiskAccessViewController);
    add("EraserWC", new EraserWC(nullptr, QStringLiteral("KorvaneLoader")));
    add("NTFSFileAlert", new NTFSFileAlert);

    QStringList english;
    for (const auto& [name, view] : views)
        english << englishIn(name, view.get());
    EXPECT_TRUE(english.isEmpty()) << english.join(QLatin1Char('\n')).toStdString();
}

} // namespace

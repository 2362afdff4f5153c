#include "app/AppDelegate.h"
#include "../core/TestSupport.h"
#include "UiTestSupport.h"
#include "app/Comm/SettingsStore.h"
#include "app/Comm/UserDefaults.h"
#include "app/ui/Theme.h"
#include "platform/BundleLocator.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Start-up against a temporary bundle and temporary user defaults, so nothing real is touched.
class AppDelegateTest : public ::testing::Test {
protected:
    void SetUp() override {
        uitest::app();
        ASSERT_TRUE(root.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           root.filePath(QStringLiteral("config")));
        ASSERT_TRUE(UserDefaults::mainProgram().filePath().startsWith(root.path()));
        outer = testsupport::makeBundle(root.path());
        BundleLocator::setOuterBundlePath(outer);
        store = outer + QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/"
                                       "NexwipeBase.plist");
        ASSERT_TRUE(QFile::copy(testsupport::shippedSettingsStore(), store));
        QFile::setPermissions(store, QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_EQ(SettingsStore::mainStore().path(), store);
    }
    void TearDown() override { BundleLocator::setOuterBundlePath({}); }

    void storeLevel(const QVariant& value) {
        QSettings settings(UserDefaults::mainProgram().filePath(), QSettings::IniFormat);
        if (value.isValid())
            settings.setValue(QStringLiteral("EraserTimes"), value);
        else
            settings.remove(QStringLiteral("EraserTimes"));
    }

    QTemporaryDir root;
    QString outer;
    QString store;
};

TEST_F(AppDelegateTest, ErasureLevelBecomesOneOnlyWhenMissingOrZero) {
    const UserDefaults defaults = UserDefaults::mainProgram();
    storeLevel({});
    AppDelegate::ensureEraserTimes();
    EXPECT_EQ(defaults.eraserTimes(), 1);

    storeLevel(0);
    AppDelegate::ensureEraserTimes();
    EXPECT_EQ(defaults.eraserTimes(), 1);

    for (int chosen : {2, 7, 35}) {
        storeLevel(chosen);
        AppDelegate::ensureEraserTimes();
        EXPECT_EQ(defaults.eraserTimes(), chosen);
    }
    // The loader's defaults are its own and stay untouched.
    EXPECT_EQ(UserDefaults::loader().eraserTimes(), 0);
}

TEST_F(AppDelegateTest, StartUpRecordsTheWindowFontsAndKeepsOtherKeys) {
    const SettingsStore settings = SettingsStore::mainStore();
    ASSERT_TRUE(settings.setValue(QStringLiteral("USERNAME"), QStringLiteral("alice")));
    ASSERT_TRUE(settings.setValue(QStringLiteral("WipeFileHistory"), QStringLiteral("1")));
    for (const char* key : {"FontRegular", "FontLight", "FontBold"})
        ASSERT_TRUE(settings.setValue(QLatin1String(key), QStringLiteral("stale")));
    storeLevel(7);

    AppDelegate delegate;
    delegate.applicationDidFinishLaunching(uitest::app());
    ASSERT_NE(delegate.mainWindow(), nullptr);
    EXPECT_FALSE(delegate.mainWindow()->isVisible()); // shown by the caller, after the writes

    const MainWindowController::ReferenceFonts fonts = delegate.mainWindow()->referenceFonts();
    const std::pair<const char*, QFont> expected[] = {
        {"FontRegular", fonts.regular}, {"FontLight", fonts.light}, {"FontBold", fonts.bold}};
    for (const auto& [key, font] : expected) {
        const QString name = settings.value(QLatin1String(key));
        EXPECT_NE(name, QStringLiteral("stale")) << key;
        // The recorded name gives back the font the window uses.
        const QFontInfo recorded(Theme::fontNamed(name, 13));
        const QFontInfo used(font);
        EXPECT_EQ(recorded.family(), used.family()) << key << " = " << name.toStdString();
        EXPECT_EQ(recorded.styleName(), used.styleName()) << key << " = " << name.toStdString();
    }
    EXPECT_GT(QFontInfo(fonts.bold).weight(), QFontInfo(fonts.regular).weight());
    EXPECT_EQ(settings.value(QStringLiteral("USERNAME")), QStringLiteral("alice"));
    EXPECT_EQ(settings.value(QStringLiteral("WipeFileHistory")), QStringLiteral("1"));
    EXPECT_EQ(settings.value(QStringLiteral("WipeVolumeHistory")), QStringLiteral("0"));
    EXPECT_EQ(UserDefaults::mainProgram().eraserTimes(), 7);
}

TEST(ThemeFontTest, NamesReadBackToTheSameFont) {
    uitest::app();
    QFont bold = QApplication::font();
    bold.setWeight(QFont::Bold);
    const QString name = Theme::fontName(bold);
    EXPECT_TRUE(name.startsWith(QFontInfo(bold).family())) << name.toStdString();
    EXPECT_EQ(QFontInfo(Theme::fontNamed(name, 12)).weight(), QFontInfo(bold).weight());
    // An unknown name falls back to the application font instead of an arbitrary one.
    EXPECT_EQ(QFontInfo(Theme::fontNamed(QStringLiteral("No Such Font Light"), 12)).family(),
              QFontInfo(QApplication::font()).family());
}

} // namespace

#include "QStringPrinter.h"
#include "TestSupport.h"
#include "app/Comm/CommUti.h"
#include "app/Comm/PublicUtilities.h"
#include "app/Comm/UserDefaults.h"
#include "platform/BundleLocator.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class UtilitiesSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        const QString outer = makeBundle(root.path());
        BundleLocator::setOuterBundlePath(outer);
        storePath = BundleLocator::mainResourcesPath() + QStringLiteral("/NexwipeBase.plist");
        ASSERT_TRUE(QFile::copy(shippedSettingsStore(), storePath));
        QFile::setPermissions(storePath, QFile::ReadOwner | QFile::WriteOwner);
        // User defaults go to this test's folder, never to the real configuration.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.filePath("config"));
    }
    void TearDown() override { BundleLocator::setOuterBundlePath({}); }

    QTemporaryDir root;
    QString storePath;
};

TEST_F(UtilitiesSettingsTest, EveryCallReadsAndWritesTheBundleStoreAnew) {
    EXPECT_EQ(PublicUtilities::getUpDataHistoryStr(QStringLiteral("WipeFileHistory")),
              QStringLiteral("0"));
    ASSERT_TRUE(PublicUtilities::writeUpDataHistoryStr(QStringLiteral("WipeFileHistory"),
                                                       QStringLiteral("1")));
    EXPECT_EQ(PublicUtilities::getUpDataHistoryStr(QStringLiteral("WipeFileHistory")),
              QStringLiteral("1"));
    // Another writer (the loader) changes the file between two calls: no stale copy is kept.
    writeFile(storePath, readFile(storePath).replace("<string>1</string>", "<string>0</string>"));
    EXPECT_EQ(PublicUtilities::getUpDataHistoryStr(QStringLiteral("WipeFileHistory")),
              QStringLiteral("0"));
    EXPECT_TRUE(PublicUtilities::getUpDataHistoryStr(QStringLiteral("NoSuchKey")).isEmpty());
}

TEST_F(UtilitiesSettingsTest, FontNamesGoUnderTheirOwnKeysAndKeepTheOthers) {
    ASSERT_TRUE(PublicUtilities::writeUpDataHistoryStr(QStringLiteral("USERNAME"),
                                                       QStringLiteral("alice")));
    ASSERT_TRUE(CommUti::writRegularFont(QStringLiteral("Noto Sans")));
    ASSERT_TRUE(CommUti::writLightFont(QStringLiteral("Noto Sans Light")));
    ASSERT_TRUE(CommUti::writBoldFont(QStringLiteral("Noto Sans Bold")));
    EXPECT_EQ(CommUti::getRegularFontName(), QStringLiteral("Noto Sans"));
    EXPECT_EQ(CommUti::getLightFontName(), QStringLiteral("Noto Sans Light"));
    EXPECT_EQ(CommUti::getBoldFontName(), QStringLiteral("Noto Sans Bold"));
    EXPECT_EQ(PublicUtilities::getUpDataHistoryStr(QStringLiteral("FontBold")),
              QStringLiteral("Noto Sans Bold"));
    EXPECT_EQ(PublicUtilities::getUpDataHistoryStr(QStringLiteral("USERNAME")),
              QStringLiteral("alice"));
    EXPECT_EQ(PublicUtilities::getUpDataHistoryStr(QStringLiteral("WipeVolumeHistory")),
              QStringLiteral("0"));
}

TEST_F(UtilitiesSettingsTest, EraserTimesNamesTheMainProgramsStandard) {
    const UserDefaults defaults = UserDefaults::mainProgram();
    ASSERT_TRUE(defaults.filePath().startsWith(root.path())) << defaults.filePath().toStdString();
    defaults.setEraserTimes(7);
    EXPECT_EQ(PublicUtilities::getEraserTimes(), QStringLiteral("DoD 5220.22-M ECE"));
    defaults.setEraserTimes(35);
    EXPECT_EQ(PublicUtilities::getEraserTimes(), QStringLiteral("Peter Gutmann's algorithm 35"));
    // The loader's defaults are separate and do not count.
    UserDefaults::loader().setEraserTimes(3);
    EXPECT_EQ(PublicUtilities::getEraserTimes(), QStringLiteral("Peter Gutmann's algorithm 35"));
    defaults.setEraserTimes(0);
    EXPECT_EQ(PublicUtilities::getEraserTimes(), QStringLiteral("HMG Infosec Standard 5"));
}

} // namespace

#include "TestSupport.h"
#include "platform/BundleLocator.h"

#include <gtest/gtest.h>

namespace {

TEST(BundleLocatorTest, FindsTheOuterBundleFromEitherExecutable) {
    const QString outer = QStringLiteral("/opt/x/KorvaneLoader.app");
    EXPECT_EQ(BundleLocator::outerBundleFromExecutable(outer + "/Contents/MacOS/KorvaneLoader"),
              outer);
    EXPECT_EQ(BundleLocator::outerBundleFromExecutable(
                  outer + "/Contents/MacOS/Korvane Data Eraser.app/Contents/MacOS/"
                          "Korvane Data Eraser"),
              outer);
    // The outer bundle may carry another name, as long as it is a bundle.
    EXPECT_EQ(BundleLocator::outerBundleFromExecutable(
                  "/a/Renamed.app/Contents/MacOS/Korvane Data Eraser.app/Contents/MacOS/y"),
              QStringLiteral("/a/Renamed.app"));
}

TEST(BundleLocatorTest, RejectsExecutablesOutsideABundle) {
    EXPECT_TRUE(BundleLocator::outerBundleFromExecutable("/usr/bin/korvane").isEmpty());
    EXPECT_TRUE(BundleLocator::outerBundleFromExecutable("/a/Contents/MacOS/x").isEmpty());
    EXPECT_TRUE(BundleLocator::outerBundleFromExecutable("/a/X.app/MacOS/x").isEmpty());
    // A main bundle that is not inside a loader bundle has no outer bundle.
    EXPECT_TRUE(BundleLocator::outerBundleFromExecutable(
                    "/tmp/Korvane Data Eraser.app/Contents/MacOS/Korvane Data Eraser")
                    .isEmpty());
}

TEST(BundleLocatorTest, ResourcesResolveOnlyWhenPresentAndNeverOutsideTheFolder) {
    BundleLocator::setOuterBundlePath(QStringLiteral(KORVANE_BUNDLE_DIR));
    EXPECT_FALSE(BundleLocator::mainResource(QStringLiteral("NexwipeBase"), QStringLiteral("plist"))
                     .isEmpty());
    EXPECT_TRUE(BundleLocator::mainResource(QStringLiteral("Nothing"), QStringLiteral("x")).isEmpty());
    EXPECT_TRUE(BundleLocator::mainResource(QStringLiteral("../Resources/NexwipeBase"),
                                            QStringLiteral("plist"))
                    .isEmpty());
    EXPECT_TRUE(BundleLocator::mainExecutablePath().endsWith(
        "KorvaneLoader.app/Contents/MacOS/Korvane Data Eraser.app/Contents/MacOS/"
        "Korvane Data Eraser"));
    BundleLocator::setOuterBundlePath({});
}

} // namespace

#include "BrowserFixture.h"

#include "app/inter/BrowserLocator.h"
#include "app/inter/BrowserScanner.h"
#include "app/inter/BrowserStatements.h"
#include "app/inter/EraserHistory.h"
#include "app/inter/FirefoxProfiles.h"
#include "app/inter/FullDiskAccessAuthorizer.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
const QString kPlist = QStringLiteral(KORVANE_SOURCE_DIR) + "/app/Resources/EraserHistory.plist";
}

// The shipped data file: every browser, the layouts of each, locations only through the user's
// home and the profile placeholders, and statements for every database kind.
TEST(BrowserDataFile, ShippedListCoversEveryBrowserAndLayout) {
    const EraserHistory history = EraserHistory::load(kPlist);
    ASSERT_TRUE(history.isValid());
    QStringList names;
    for (const EraserHistory::Browser& b : history.browsers())
        names << b.name;
    EXPECT_EQ(names, QStringList({"Safari", "Google Chrome", "Chromium", "Opera", "Firefox"}));
    const QHash<QString, QStringList> layouts{{"Google Chrome", {"native", "flatpak"}},
                                              {"Chromium", {"native", "snap", "flatpak"}},
                                              {"Opera", {"native", "snap"}},
                                              {"Firefox", {"native", "snap", "flatpak"}}};
    for (const EraserHistory::Browser& b : history.browsers()) {
        SCOPED_TRACE(b.name.toStdString());
        QStringList have;
        for (const EraserHistory::Layout& l : b.layouts) {
            have << l.name;
            EXPECT_TRUE(l.userData.startsWith("~%@/") && l.cache.startsWith("~%@/"));
        }
        for (const QString& layout : layouts.value(b.name))
            EXPECT_TRUE(have.contains(layout)) << layout.toStdString();
        for (const EraserHistory::Kind& k : b.kinds) {
            EXPECT_FALSE(BrowerObj::pictureOf(k.name).isEmpty()) << k.name.toStdString();
            for (const QString& location : k.locations)
                EXPECT_TRUE(location.startsWith('$') || location.startsWith("~%@/"))
                    << location.toStdString();
        }
    }
    // Firefox passwords are its files, not bookmark keywords; Opera's are its logins table.
    EXPECT_EQ(BrowserStatements::find("Firefox", "Save Password"), nullptr);
    ASSERT_NE(BrowserStatements::find("Opera", "Save Password"), nullptr);
    EXPECT_EQ(BrowserStatements::find("Opera", "Save Password")->count.sql,
              "select count(*) from logins");
}

// Firefox's live profile is the install's, not the legacy ".default"; a path out of the home
// is not followed, and a user name that is not one builds no path at all.
TEST(BrowserDataFile, ProfilesAndUserNameChecked) {
    BrowserFixture fx;
    const QString fox = fx.home() + "/.mozilla/firefox";
    QDir().mkpath(fox + "/aaaa.default");
    QDir().mkpath(fox + "/bbbb.default-release");
    QDir().mkpath(fox + "/../../elsewhere");
    BrowserFixture::write(fox + "/profiles.ini",
                          "[Profile1]\nName=default\nIsRelative=1\nPath=aaaa.default\nDefault=1\n\n"
                          "[Profile0]\nName=default-release\nIsRelative=1\n"
                          "Path=bbbb.default-release\n\n"
                          "[Profile2]\nName=out\nIsRelative=1\nPath=../../../elsewhere\n\n"
                          "[Profile3]\nName=abs\nIsRelative=0\nPath=/etc\n");
    BrowserFixture::write(fox + "/installs.ini",
                          "[4F96D1932A9F858E]\nDefault=bbbb.default-release\nLocked=1\n");
    const FirefoxProfiles::Found found = FirefoxProfiles::read(fox, fx.home());
    EXPECT_EQ(found.installDefault, fox + "/bbbb.default-release");
    EXPECT_EQ(found.paths, QStringList({fox + "/bbbb.default-release", fox + "/aaaa.default"}));

    EXPECT_EQ(EraserHistory::expandUser("~%@/.config", "ann", "/home/ann"), "/home/ann/.config");
    EXPECT_TRUE(EraserHistory::expandUser("~%@/.config", "../root", "/home/ann").isEmpty());
    EXPECT_TRUE(EraserHistory::expandUser("/Users/%@/Library", "a/b", "/home/ann").isEmpty());
    BrowserFixture::chromiumProfile(fx.home() + "/.config/chromium/Default", "user", 2);
    BrowserScanner::Options options;
    options.history = EraserHistory::load(kPlist);
    options.home = fx.home();
    options.uid = ::getuid();
    options.userName = "ann";
    EXPECT_EQ(BrowserScanner(options).scan().size(), 2); // Chromium, and Firefox's profiles
    // A profile folder that is a link out of the home is not followed.
    QTemporaryDir outside;
    BrowserFixture::chromiumProfile(outside.path() + "/p", "out", 2);
    ASSERT_EQ(::symlink((outside.path() + "/p").toUtf8().constData(),
                        (fx.home() + "/.config/chromium/Profile 2").toUtf8().constData()),
              0);
    const QList<BrowerObjPtr> scanned = BrowserScanner(options).scan();
    ASSERT_FALSE(scanned.isEmpty());
    EXPECT_EQ(scanned[0]->profiles.size(), 1) << "Default only";
    options.userName = "ann/../x";
    EXPECT_TRUE(BrowserScanner(options).scan().isEmpty());
    // Another user's file in the home is not named (the program may run as root).
    BrowserLocator other("ann", fx.home(), ::getuid() + 1);
    EXPECT_TRUE(other
                    .locations({"History", {"$PROFILE/History"}},
                               {"native", fx.home() + "/.config/chromium", "", "Default",
                                fx.home() + "/.config/chromium/Default"})
                    .isEmpty());
}

TEST(BrowserDataFile, FullDiskAccessProbe) {
    QTemporaryDir dir;
    const FullDiskAccessAuthorizer* probe = FullDiskAccessAuthorizer::sharedAuthorizer();
    EXPECT_EQ(probe->authorizationStatus(dir.path()), FullDiskAccessAuthorizer::Authorized);
    EXPECT_EQ(probe->authorizationStatus(dir.path() + "/none"),
              FullDiskAccessAuthorizer::NotDetermined);
    if (::geteuid() == 0)
        GTEST_SKIP() << "root lists any folder: the denied case needs an ordinary user";
    const QString shut = dir.path() + "/shut";
    QDir().mkpath(shut);
    QFile::setPermissions(shut, {});
    EXPECT_EQ(probe->authorizationStatus(shut), FullDiskAccessAuthorizer::Denied);
    QFile::setPermissions(shut, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

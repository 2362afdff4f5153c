#include "BrowserFixture.h"

#include "app/inter/BrowserLocator.h"
#include "app/inter/BrowserScanner.h"
#include "app/inter/EraserHistory.h"
#include "app/inter/FirefoxProfiles.h"
#include "app/inter/FullDiskAccessAuthorizer.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
const QString kPlist = QStringLiteral(KORVANE_SOURCE_DIR) + "/app/Resources/EraserHistory.plist";

const EraserHistory::Location* databaseAt(const EraserHistory::Browser& b, const QString& kind,
                                          const QString& path) {
    for (const EraserHistory::Kind& k : b.kinds)
        if (k.name == kind)
            for (const EraserHistory::Location& l : k.locations)
                if (l.path == path && l.database)
                    return &l;
    return nullptr;
}
} // namespace

// The shipped data file: every browser with its layouts, each kind's locations below a profile's
// own folders, and the rows each kind promises.
TEST(BrowserDataFile, ShippedListCoversEveryBrowserAndLayout) {
    const EraserHistory history = EraserHistory::load(kPlist);
    ASSERT_TRUE(history.isValid());
    EXPECT_TRUE(history.rejected().isEmpty()) << history.rejected().join("\n").toStdString();
    QStringList names;
    for (const EraserHistory::Browser& b : history.browsers())
        names << b.name;
    EXPECT_EQ(names, QStringList({"Safari", "Google Chrome", "Chromium", "Opera", "Brave",
                                  "Vivaldi", "Microsoft Edge", "Firefox", "LibreWolf"}));
    const QHash<QString, QStringList> layouts{
        {"Google Chrome", {"native", "flatpak"}},
        {"Chromium", {"native", "snap", "flatpak"}},
        {"Opera", {"native", "snap"}},
        {"Brave", {"native", "snap", "flatpak"}},
        {"Vivaldi", {"native", "snap", "flatpak"}},
        {"Microsoft Edge", {"native", "flatpak"}},
        {"Firefox", {"native", "native XDG", "snap", "flatpak"}},
        {"LibreWolf", {"native", "flatpak"}}};
    for (const EraserHistory::Browser& b : history.browsers()) {
        SCOPED_TRACE(b.name.toStdString());
        QStringList have;
        for (const EraserHistory::Layout& l : b.layouts) {
            have << l.name;
            EXPECT_TRUE(l.userData.startsWith("~%@/") && l.cache.startsWith("~%@/"));
        }
        for (const QString& layout : layouts.value(b.name))
            EXPECT_TRUE(have.contains(layout)) << layout.toStdString();
        EXPECT_FALSE(b.kinds.isEmpty());
        for (const EraserHistory::Kind& k : b.kinds)
            EXPECT_FALSE(BrowerObj::pictureOf(k.name).isEmpty()) << k.name.toStdString();
    }
    // Each family's browsers share its kinds: what one promises, all of them keep.
    const EraserHistory::Browser* brave = history.browser("Brave");
    const EraserHistory::Browser* fox = history.browser("LibreWolf");
    ASSERT_TRUE(brave && fox);
    for (const auto& [kind, path] : QList<std::pair<QString, QString>>{
             {"Browsing History", "$PROFILE/History"},
             {"Browsing History", "$USERDATA/segmentation_platform/ukm_db"},
             {"Download History", "$PROFILE/History"},
             {"Cookies", "$PROFILE/Network/Cookies"},
             {"Save Password", "$PROFILE/Login Data"},
             {"Form Values", "$PROFILE/Web Data"}})
        EXPECT_TRUE(databaseAt(*brave, kind, path))
            << kind.toStdString() << " " << path.toStdString();
    for (const auto& [kind, path] :
         QList<std::pair<QString, QString>>{{"Browsing History", "$PROFILE/places.sqlite"},
                                            {"Browsing History", "$PROFILE/formhistory.sqlite"},
                                            {"Cookies", "$PROFILE/cookies.sqlite"},
                                            {"Form Values", "$PROFILE/formhistory.sqlite"}})
        EXPECT_TRUE(databaseAt(*fox, kind, path))
            << kind.toStdString() << " " << path.toStdString();
    // Opera's passwords are its logins table, not its search terms.
    EXPECT_EQ(
        databaseAt(*history.browser("Opera"), "Save Password", "$PROFILE/Login Data")->count.sql,
        "select count(*) from logins");
}

// A location can only name something below a profile's own folders: no absolute path, no
// "..", no profile or user-data folder as a whole. Such rules are left out, and said.
TEST(BrowserDataFile, LocationsThatCouldEscapeAreRejected) {
    QString root;
    QStringList rest;
    EXPECT_TRUE(EraserHistory::splitLocation("$PROFILE/Sessions/Tabs_*", &root, &rest));
    EXPECT_EQ(root, "$PROFILE");
    EXPECT_EQ(rest, QStringList({"Sessions", "Tabs_*"}));
    EXPECT_TRUE(EraserHistory::splitLocation("$PROFILECACHE", &root, &rest));
    EXPECT_EQ(root, "$PROFILECACHE");
    for (const char* bad : {"$CACHE/$PROFILENAME", "$PROFILE/../x", "$CACHE/a/./b", "/etc/passwd",
                            "~%@/.mozilla", "$PROFILEX/a", "$USERDATA//a", ""})
        EXPECT_FALSE(EraserHistory::splitLocation(bad, &root, &rest)) << bad;

    QTemporaryDir dir;
    const QString plist = BrowserFixture::write(dir.path() + "/list.plist", R"(<?xml version="1.0"?>
<plist version="1.0"><dict>
<key>Families</key><dict><key>Chromium</key><dict><key>Kinds</key><dict>
  <key>Caches</key><array><string>$CACHE/$PROFILENAME</string><string>$PROFILE/GPUCache</string>
    <string>$PROFILE</string><string>$USERDATA</string></array>
  <key>Cookies</key><array><dict><key>Path</key><string>$PROFILE/../Cookies</string>
    <key>Delete</key><array><string>delete from cookies</string></array></dict>
    <dict><key>Path</key><string>$PROFILE/Cookies</string></dict></array>
</dict></dict></dict>
<key>Test</key><dict><key>Family</key><string>Chromium</string></dict>
</dict></plist>)");
    const EraserHistory history = EraserHistory::load(plist);
    ASSERT_TRUE(history.isValid());
    const EraserHistory::Browser* b = history.browser("Test");
    ASSERT_TRUE(b);
    ASSERT_EQ(b->kinds.size(), 2);
    EXPECT_EQ(b->kinds[0].name, "Cookies");
    EXPECT_TRUE(b->kinds[0].locations.isEmpty()) << "escaping, and a database without statements";
    ASSERT_EQ(b->kinds[1].locations.size(), 1);
    EXPECT_EQ(b->kinds[1].locations[0].path, "$PROFILE/GPUCache");
    EXPECT_EQ(history.rejected().size(), 5);
}

// Firefox's profiles: the install's first, every listed one once, relative and absolute paths
// as written; and a user name that could not be a path component builds no path at all.
TEST(BrowserDataFile, ProfilesListedAndUserNameChecked) {
    BrowserFixture fx;
    const QString fox = fx.home() + "/.mozilla/firefox";
    BrowserFixture::write(fox + "/profiles.ini",
                          "[Profile1]\nName=default\nIsRelative=1\nPath=aaaa.default\nDefault=1\n\n"
                          "[Profile0]\nName=default-release\nIsRelative=1\n"
                          "Path=bbbb.default-release\n\n"
                          "[Profile2]\nName=work\nIsRelative=0\nPath=/home/ann/ffwork\n\n"
                          "[Profile3]\nName=odd\nIsRelative=0\nPath=relative/but/flagged\n");
    BrowserFixture::write(fox + "/installs.ini",
                          "[4F96D1932A9F858E]\nDefault=bbbb.default-release\nLocked=1\n");
    EXPECT_EQ(FirefoxProfiles::read(fox), QStringList({fox + "/bbbb.default-release",
                                                       fox + "/aaaa.default", "/home/ann/ffwork"}));

    EXPECT_EQ(EraserHistory::expandUser("~%@/.config", "ann", "/home/ann"), "/home/ann/.config");
    EXPECT_TRUE(EraserHistory::expandUser("~%@/.config", "../root", "/home/ann").isEmpty());
    EXPECT_TRUE(EraserHistory::expandUser("/Users/%@/Library", "a/b", "/home/ann").isEmpty());
    BrowserFixture::chromiumProfile(fx.home() + "/.config/chromium/Default", "user", 2);
    BrowserScanner::Options options;
    options.history = EraserHistory::load(kPlist);
    options.home = fx.home();
    options.uid = ::getuid();
    options.userName = "ann";
    // The profile outside the home is not followed, and said so.
    const QList<BrowerObjPtr> found = BrowserScanner(options).scan();
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[1]->name, "Firefox");
    EXPECT_TRUE(found[1]->profiles.isEmpty());
    EXPECT_EQ(found[1]->refusals, QStringList({"/home/ann/ffwork is not in the home folder"}));
    options.userName = "ann/../x";
    EXPECT_TRUE(BrowserScanner(options).scan().isEmpty());
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

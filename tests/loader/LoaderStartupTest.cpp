#include "loader/LoaderStartup.h"

#include "../core/TestSupport.h"
#include "app/Comm/SettingsStore.h"
#include "platform/BundleLocator.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Road = LoaderStartup::Road;

LoaderStartup::Decision decide(std::vector<const char*> argv) {
    return LoaderStartup::chooseRoad(static_cast<int>(argv.size()), argv.data());
}

class LoaderStartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        outer = testsupport::makeBundle(dir.path());
        BundleLocator::setOuterBundlePath(outer);
    }
    void TearDown() override { BundleLocator::setOuterBundlePath({}); }

    QString storePath() const { return BundleLocator::mainResourcesPath() + "/NexwipeBase.plist"; }

    QTemporaryDir dir;
    QString outer;
};

TEST_F(LoaderStartupTest, OnlyTwoArgumentsWithAnExistingFirstPathTakeTheServiceRoad) {
    const QByteArray file = QFile::encodeName(dir.path() + "/victim.txt");
    testsupport::writeFile(dir.path() + "/victim.txt", "x");
    const QByteArray folder = QFile::encodeName(dir.path());

    EXPECT_EQ(decide({"loader"}).road, Road::PrivilegedStart);
    EXPECT_EQ(decide({"loader", file.constData()}).road, Road::PrivilegedStart);

    const auto service = decide({"loader", file.constData(), "--from-file-manager"});
    EXPECT_EQ(service.road, Road::ServiceEraser);
    EXPECT_EQ(service.path, dir.path() + "/victim.txt");
    EXPECT_EQ(decide({"loader", folder.constData(), "a", "b"}).road, Road::ServiceEraser);

    // Empty, missing, or not UTF-8 (even when such a file exists): the main program starts.
    EXPECT_EQ(decide({"loader", "", "x"}).road, Road::PrivilegedStart);
    EXPECT_EQ(decide({"loader", "/no/such/korvane/path", "x"}).road, Road::PrivilegedStart);
    const QByteArray latin1 = QFile::encodeName(dir.path()) + "/caf\xe9";
    testsupport::writeFile(QFile::decodeName(latin1), "x");
    ASSERT_TRUE(QFileInfo::exists(QFile::decodeName(latin1)));
    EXPECT_EQ(decide({"loader", latin1.constData(), "x"}).road, Road::PrivilegedStart);
}

TEST_F(LoaderStartupTest, RecordsTheUserNameKeepingTheOtherKeys) {
    QFile::copy(testsupport::shippedSettingsStore(), storePath());
    QFile(storePath()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    const SettingsStore store(storePath());
    ASSERT_TRUE(store.setValue("WipeFileHistory", "1"));
    ASSERT_TRUE(store.setValue("FontBold", "DejaVu Sans Bold"));

    UserAccount user;
    user.name = "daemon";
    EXPECT_TRUE(LoaderStartup::recordUserName(user));
    EXPECT_EQ(store.value("USERNAME"), "daemon");
    EXPECT_EQ(store.value("WipeFileHistory"), "1");
    EXPECT_EQ(store.value("FontBold"), "DejaVu Sans Bold");

    // No valid user: the recorded name stays as it was.
    EXPECT_FALSE(LoaderStartup::recordUserName(std::nullopt));
    EXPECT_EQ(store.value("USERNAME"), "daemon");
}

TEST_F(LoaderStartupTest, AMissingStoreIsNotCreated) {
    UserAccount user;
    user.name = "daemon";
    EXPECT_FALSE(LoaderStartup::recordUserName(user));
    EXPECT_FALSE(QFileInfo::exists(storePath()));
}

TEST_F(LoaderStartupTest, TheServiceRoadFallsBackToThePrivilegedStartWhenItCannotErase) {
    testsupport::writeFile(dir.path() + "/victim.txt", "x");
    const QByteArray file = QFile::encodeName(dir.path() + "/victim.txt");
    std::vector<const char*> argv{"loader", file.constData(), "--from-file-manager"};
    // run() works for the real user: the temporary bundle has no action templates, so nothing
    // is installed in that user's home.
    ASSERT_TRUE(
        BundleLocator::loaderResource("Erase with Korvane Data Eraser", "workflow").isEmpty());

    QStringList erased, started;
    bool eraserWorks = false;
    const LoaderStartup::Roads roads{[&](const QString& path) {
                                         erased << path;
                                         return eraserWorks;
                                     },
                                     [&](const QString& exe) {
                                         started << exe;
                                         return 1; // a failed start still ends with 0
                                     }};
    EXPECT_EQ(LoaderStartup::run(3, argv.data(), roads), 0);
    EXPECT_EQ(erased, QStringList{dir.path() + "/victim.txt"});
    EXPECT_EQ(started, QStringList{BundleLocator::mainExecutablePath()});

    eraserWorks = true;
    erased.clear();
    started.clear();
    EXPECT_EQ(LoaderStartup::run(3, argv.data(), roads), 0);
    EXPECT_EQ(erased.size(), 1);
    EXPECT_TRUE(started.isEmpty());

    erased.clear();
    EXPECT_EQ(LoaderStartup::run(2, argv.data(), roads), 0);
    EXPECT_TRUE(erased.isEmpty());
    EXPECT_EQ(started.size(), 1);
}

} // namespace

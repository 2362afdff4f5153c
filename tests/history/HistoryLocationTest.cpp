#include "HistoryTestSupport.h"

#include "app/inter/DoDataBase.h"
#include "app/inter/HistoryLocation.h"
#include "platform/BundleLocator.h"
#include "tests/core/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

using historytest::at;
using historytest::item;
using historytest::TempHistory;

namespace {

// Unmounts on every way out of the test, failed assertions included.
struct Unmount {
    QString path;
    ~Unmount() {
        if (!path.isEmpty())
            umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    }
};

TEST(HistoryLocationTest, UsesTheBundleFileWhenWritableAndNothingElseWhenItIsMissing) {
    TempHistory temp;
    EXPECT_EQ(HistoryLocation::resolve(), temp.database());
    DoDataBase::returnDoDataBase()->writeWipeVolumesOrFree("V", "Erased", true);
    EXPECT_EQ(temp.rowCount("TimeBase"), 1);

    // A bundle without its database records nothing, and leaves no copy elsewhere.
    QFile::remove(temp.database());
    EXPECT_EQ(HistoryLocation::resolve(), temp.database());
    DoDataBase::returnDoDataBase()->writeWipeVolumesOrFree("V", "Erased", true);
    EXPECT_FALSE(QFileInfo::exists(temp.database()));
    EXPECT_FALSE(QFileInfo::exists(HistoryLocation::writableCopyPath()));
}

TEST(HistoryLocationTest, CopyIsSeededOnceAndNeverReplaced) {
    QTemporaryDir dir;
    const QString shipped = dir.filePath("shipped/DataBase.db");
    QDir().mkpath(dir.filePath("shipped"));
    historytest::makeDatabase(shipped);
    DoDataBase fromShipped([shipped] { return shipped; });
    fromShipped.setClock([] { return at("2024-04-04 04-04-04"); });
    fromShipped.writePlistForHistoryWithArr({item("/seeded", "Erased")});

    const QString copy = dir.filePath("deep/er/DataBase.db");
    ASSERT_TRUE(HistoryLocation::ensureCopy(shipped, copy));
    DoDataBase fromCopy([copy] { return copy; });
    EXPECT_EQ(fromCopy.getAllData().keys(), QStringList{"2024-04-04 04-04-04"});
    EXPECT_EQ(QFileInfo(copy).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);

    fromCopy.deleteDataWithKey("2024-04-04 04-04-04");
    ASSERT_TRUE(HistoryLocation::ensureCopy(shipped, copy));
    EXPECT_TRUE(fromCopy.getAllData().isEmpty()) << "an existing copy was replaced";

    // An unreadable shipped file still gives a working, empty history.
    const QString fresh = dir.filePath("fresh/DataBase.db");
    ASSERT_TRUE(HistoryLocation::ensureCopy(dir.filePath("no-such.db"), fresh));
    DoDataBase fromFresh([fresh] { return fresh; });
    fromFresh.writePlistForHistoryWithArr({item("/x", "Erased")});
    EXPECT_EQ(fromFresh.getAllData().size(), 1);
}

// A bundle whose Resources cannot be written (an install on a read-only file system, or run
// by a user against a root-owned install) keeps its history in the writable copy.
TEST(HistoryLocationTest, ReadOnlyBundleUsesTheSeededCopy) {
    TempHistory temp;
    DoDataBase shipped([&] { return temp.database(); });
    shipped.setClock([] { return at("2023-03-03 03-03-03"); });
    shipped.writePlistForHistoryWithArr({item("/before", "Erased")});

    QTemporaryDir mountPoint;
    QString bundle = temp.bundle();
    Unmount unmount;
    if (geteuid() == 0) {
        // Root may write anything except on a read-only file system: put the bundle on one.
        if (mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0,
                  "size=4m") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here";
        unmount.path = mountPoint.path();
        QProcess::execute("cp", {"-a", temp.bundle(), mountPoint.path()});
        bundle = mountPoint.path() + "/KorvaneLoader.app";
        ASSERT_EQ(mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), nullptr,
                        MS_REMOUNT | MS_RDONLY, nullptr),
                  0);
    } else {
        QFile::setPermissions(QFileInfo(temp.database()).absolutePath(),
                              QFile::ReadOwner | QFile::ExeOwner);
    }
    BundleLocator::setOuterBundlePath(bundle);
    const QString inBundle = HistoryLocation::shippedPath();
    const QByteArray before = testsupport::readFile(inBundle);

    EXPECT_EQ(HistoryLocation::resolve(), HistoryLocation::writableCopyPath());
    DoDataBase* history = DoDataBase::returnDoDataBase();
    history->setClock([] { return at("2023-03-03 03-03-04"); });
    history->writePlistForHistoryWithArr({item("/after", "Erased")});
    history->setClock({});
    EXPECT_EQ(history->getAllData().keys(),
              (QStringList{"2023-03-03 03-03-03", "2023-03-03 03-03-04"}));
    EXPECT_EQ(testsupport::readFile(inBundle), before);

    if (unmount.path.isEmpty())
        QFile::setPermissions(QFileInfo(temp.database()).absolutePath(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

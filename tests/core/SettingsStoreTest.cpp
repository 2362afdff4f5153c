#include "app/Comm/SettingsStore.h"
#include "TestSupport.h"
#include "platform/BundleLocator.h"

#include "LoopImage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using namespace testsupport;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("NexwipeBase.plist"));
        ASSERT_TRUE(QFile::copy(shippedSettingsStore(), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
    QTemporaryDir dir;
    QString path;
};

TEST_F(SettingsStoreTest, ShippedStoreHoldsItsKeys) {
    SettingsStore store(path);
    for (const char* key : {"USERNAME", "FontRegular", "FontLight", "FontBold", "WipeFileHistory",
                            "WipeVolumeHistory"})
        EXPECT_TRUE(store.contains(QString::fromLatin1(key))) << key;
    EXPECT_EQ(store.value(QStringLiteral("WipeFileHistory")), QStringLiteral("0"));
}

TEST_F(SettingsStoreTest, WritingOneKeyKeepsEveryOtherKey) {
    // What the loader writes must survive the main program's writes, and the other way round.
    SettingsStore loaderSide(path);
    SettingsStore appSide(path);
    ASSERT_TRUE(loaderSide.setValue(QStringLiteral("USERNAME"), QStringLiteral("alice")));
    ASSERT_TRUE(appSide.setValue(QStringLiteral("FontBold"), QStringLiteral("Some Bold")));
    ASSERT_TRUE(appSide.setValue(QStringLiteral("WipeFileHistory"), QStringLiteral("1")));
    EXPECT_EQ(appSide.value(QStringLiteral("USERNAME")), QStringLiteral("alice"));
    EXPECT_EQ(loaderSide.value(QStringLiteral("FontBold")), QStringLiteral("Some Bold"));
    EXPECT_EQ(loaderSide.value(QStringLiteral("WipeFileHistory")), QStringLiteral("1"));
    EXPECT_EQ(loaderSide.value(QStringLiteral("FontRegular")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(loaderSide.value(QStringLiteral("WipeVolumeHistory")), QStringLiteral("0"));
}

TEST_F(SettingsStoreTest, KeepsValuesOfOtherTypesAndUnicode) {
    writeFile(path, "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
                    "<key>Count</key><integer>7</integer><key>Flag</key><true/>"
                    "<key>Name</key><string>x</string></dict></plist>");
    SettingsStore store(path);
    ASSERT_TRUE(store.setValue(QStringLiteral("USERNAME"), QStringLiteral("Jürgen ✓")));
    const QByteArray xml = readFile(path);
    EXPECT_TRUE(xml.contains("<integer>7</integer>"));
    EXPECT_TRUE(xml.contains("<true/>"));
    EXPECT_EQ(store.value(QStringLiteral("USERNAME")), QStringLiteral("Jürgen ✓"));
    EXPECT_EQ(store.value(QStringLiteral("Name")), QStringLiteral("x"));
    // A value that is not a string reads as no value.
    EXPECT_TRUE(store.value(QStringLiteral("Count")).isEmpty());
}

TEST_F(SettingsStoreTest, MissingOrBrokenStoreReadsEmptyAndIsNeverCreated) {
    const QString missing = dir.filePath(QStringLiteral("absent.plist"));
    SettingsStore absent(missing);
    EXPECT_TRUE(absent.value(QStringLiteral("USERNAME")).isEmpty());
    EXPECT_FALSE(absent.setValue(QStringLiteral("USERNAME"), QStringLiteral("bob")));
    EXPECT_FALSE(QFile::exists(missing));

    writeFile(path, "this is not a property list");
    SettingsStore broken(path);
    EXPECT_FALSE(broken.setValue(QStringLiteral("USERNAME"), QStringLiteral("bob")));
    EXPECT_EQ(readFile(path), QByteArray("this is not a property list"));
}

TEST_F(SettingsStoreTest, ReaderNeverSeesAHalfWrittenFile) {
    SettingsStore store(path);
    // Make the file large enough that a non-atomic write would be observable.
    const QString big(20000, QLatin1Char('x'));
    ASSERT_TRUE(store.setValue(QStringLiteral("Padding"), big));
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        SettingsStore readerStore(path);
        while (!done.load()) {
            if (readerStore.value(QStringLiteral("FontRegular")) != QStringLiteral("DejaVu Sans"))
                ++torn;
        }
    });
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(store.setValue(QStringLiteral("WipeFileHistory"), QString::number(i % 2)));
    done = true;
    reader.join();
    EXPECT_EQ(torn.load(), 0);
}

TEST_F(SettingsStoreTest, MainStoreIsTheBundlesResource) {
    QTemporaryDir root;
    const QString outer = makeBundle(root.path());
    BundleLocator::setOuterBundlePath(outer);
    EXPECT_TRUE(SettingsStore::mainStore().path().isEmpty()); // no resource yet
    const QString resource =
        outer + QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/"
                               "NexwipeBase.plist");
    ASSERT_TRUE(QFile::copy(shippedSettingsStore(), resource));
    EXPECT_EQ(SettingsStore::mainStore().path(), resource);
    BundleLocator::setOuterBundlePath({});
}

} // namespace

// A write that cannot complete (the volume is full, or read-only) leaves the store exactly as it
// was: every key is still there, byte for byte, and no temporary file is left beside it.
TEST(SettingsStoreFault, FullOrReadOnlyVolumeLeavesTheStoreAsItWas) {
    using testsupport::LoopImage;
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty())
        GTEST_SKIP() << why;
    LoopImage image(LoopImage::FileSystem::Ext4, 16 << 20);
    image.mount();
    const QString folder = QString::fromStdString(image.mountPoint()) + "/Resources";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/NexwipeBase.plist";
    ASSERT_TRUE(QFile::copy(shippedSettingsStore(), path));
    SettingsStore store(path);
    ASSERT_TRUE(store.setValue(QStringLiteral("USERNAME"), QStringLiteral("alice")));
    QFile original(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    // Fill every block, reserved ones too (root may use them), down to the last byte.
    const QByteArray filler = QByteArray::fromStdString(image.mountPoint() + "/filler");
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    for (const size_t size : {size_t(1) << 16, size_t(4096), size_t(512), size_t(1)}) {
        const std::string chunk(size, 'f');
        while (::write(fd, chunk.data(), size) == ssize_t(size)) {
        }
    }
    ::fsync(fd);
    ::close(fd);
    EXPECT_FALSE(store.setValue(QStringLiteral("WipeFileHistory"), QString(4096, QChar('1'))));
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_EQ(store.value(QStringLiteral("USERNAME")), QStringLiteral("alice"));
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"NexwipeBase.plist"});

    ASSERT_EQ(LoopImage::run({"mount", "-o", "remount,ro", image.mountPoint()}), 0);
    EXPECT_FALSE(store.setValue(QStringLiteral("USERNAME"), QStringLiteral("bob")));
    EXPECT_EQ(store.value(QStringLiteral("USERNAME")), QStringLiteral("alice"));
    ASSERT_EQ(LoopImage::run({"mount", "-o", "remount,rw", image.mountPoint()}), 0);
}

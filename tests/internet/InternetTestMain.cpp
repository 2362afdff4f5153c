#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The cleaner erases files through the erasure job, which waits for its tool process through an
// event loop, so the tests run inside a QCoreApplication. User defaults (the erasure level) go
// to a private folder, never the real user's.
int main(int argc, char** argv) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

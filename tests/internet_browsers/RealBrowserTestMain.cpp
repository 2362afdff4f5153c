#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The loopback site and the programs the tests start are served and waited for by one event
// loop. The program's user defaults go to a private folder, never the real user's.
int main(int argc, char** argv) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

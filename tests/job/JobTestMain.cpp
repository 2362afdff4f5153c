#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The runs wait on the event loop; user defaults go to a private folder.
int main(int argc, char** argv) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

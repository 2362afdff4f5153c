#include <QCoreApplication>
#include <gtest/gtest.h>

// The runner delivers on the thread that made it: the tests need that thread's event loop.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

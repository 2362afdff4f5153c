#include "platform/BundleLocator.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The module's widget tests: offscreen, with user defaults and standard folders of their own so
// that no real settings or history are touched.
int main(int argc, char** argv) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", config.filePath(QStringLiteral("data")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    // The English table, as the program loads it in the C locale: it gives the plural forms.
    BundleLocator::setOuterBundlePath(QStringLiteral(KORVANE_BUNDLE_DIR));
    Translations::install();
    BundleLocator::setOuterBundlePath({});
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

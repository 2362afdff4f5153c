// Real packages through the uninstaller: built, installed, listed with their version, removed
// with their leftovers, gone from dpkg. Everything happens in a private mount namespace with
// overlays over /etc, /usr and /var (see the scripts).
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Runs SCRIPT (in tests/uninstall) in a private mount namespace; skips where that cannot be.
void runInOverlay(const char* script) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root (mount namespace, dpkg)";
    for (const char* tool : {"unshare", "dpkg-deb", "dpkg", "apt-get", "mount"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            GTEST_SKIP() << tool << " is not installed";
    QTemporaryDir work;
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("unshare"),
              {QStringLiteral("--mount"), QStringLiteral("--propagation"),
               QStringLiteral("private"), QStringLiteral("--"),
               QStringLiteral(KORVANE_SOURCE_DIR "/tests/uninstall/") + QLatin1String(script),
               QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane"), QStringLiteral(KORVANE_BUNDLE_DIR),
               work.path() + QStringLiteral("/w")});
    ASSERT_TRUE(run.waitForFinished(300000));
    const QString output = QString::fromLocal8Bit(run.readAll());
    if (output.contains(QLatin1String("unshare failed")) ||
        output.contains(QLatin1String("Operation not permitted")))
        GTEST_SKIP() << "no private mount namespace here: " << output.toStdString();
    EXPECT_EQ(run.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QLatin1String("round trip ok"))) << output.toStdString();
}

} // namespace

TEST(PackageRoundTripTest, ADebInstalledIsListedAndRemovedWithItsLeftovers) {
    runInOverlay("package_round_trip.sh");
}

// The entry in a "-common" package whose removal the package manager refuses (the program's
// package needs it): the program's package, found through its alternatives link, is removed.
TEST(PackageRoundTripTest, AnEntryOfACommonPackageRemovesThePackageOfItsProgram) {
    runInOverlay("common_package_round_trip.sh");
}

// A real package through the uninstaller: built, installed, listed with its version, removed
// with its leftovers, gone from dpkg. Everything happens in a private mount namespace with
// overlays over /etc, /usr and /var (see package_round_trip.sh).
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(PackageRoundTripTest, ADebInstalledIsListedAndRemovedWithItsLeftovers) {
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
               QStringLiteral(KORVANE_SOURCE_DIR "/tests/uninstall/package_round_trip.sh"),
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

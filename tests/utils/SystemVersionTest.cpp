#include "app/Comm/PublicUtilities.h"
#include "platform/Logger.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>

namespace {

TEST(SystemVersionTest, ReleaseTextsOfDifferentShapes) {
    const struct {
        const char* release;
        quint32 major, minor, bugFix;
    } cases[] = {
        {"6.1.0-18-amd64", 6, 1, 0}, {"6.18.44-fc-v1300", 6, 18, 44},
        {"5.15.0", 5, 15, 0},        {"10.9.5", 10, 9, 5},
        {"4.19", 4, 19, 0},          {"6", 6, 0, 0},
        {"6.x.1", 6, 0, 0},          {"3.10.0.957.el7", 3, 10, 0},
    };
    for (const auto& c : cases) {
        quint32 major = 99, minor = 99, bugFix = 99;
        ASSERT_TRUE(PublicUtilities::parseSystemVersion(c.release, &major, &minor, &bugFix))
            << c.release;
        EXPECT_EQ(major, c.major) << c.release;
        EXPECT_EQ(minor, c.minor) << c.release;
        EXPECT_EQ(bugFix, c.bugFix) << c.release;
    }
    // Each out-parameter is optional.
    quint32 minor = 0;
    EXPECT_TRUE(PublicUtilities::parseSystemVersion("6.7.2", nullptr, &minor, nullptr));
    EXPECT_EQ(minor, 7u);
}

TEST(SystemVersionTest, UnreadableReleasesAreRejectedAndLeaveOutputsAlone) {
    for (const char* release : {"", "linux", "-1.2", ".5", "99999999999.1"}) {
        quint32 major = 42;
        EXPECT_FALSE(PublicUtilities::parseSystemVersion(release, &major, nullptr, nullptr))
            << release;
        EXPECT_EQ(major, 42u);
    }
}

TEST(SystemVersionTest, NumberIsMajorFollowedByTwoDigitMinor) {
    EXPECT_EQ(PublicUtilities::systemVersionNumber(10, 9), 1009);
    EXPECT_EQ(PublicUtilities::systemVersionNumber(10, 14), 1014);
    EXPECT_EQ(PublicUtilities::systemVersionNumber(10, 15), 1015);
    EXPECT_EQ(PublicUtilities::systemVersionNumber(11, 2), 1102);
    EXPECT_EQ(PublicUtilities::systemVersionNumber(6, 1), 601);
    EXPECT_EQ(PublicUtilities::systemVersionNumber(6, 18), 618);
    EXPECT_EQ(PublicUtilities::systemVersionNumber(10, 0), 1000);
}

TEST(SystemVersionTest, RunningSystemMatchesUname) {
    utsname names{};
    ASSERT_EQ(uname(&names), 0);
    quint32 major = 0, minor = 0, bugFix = 0;
    ASSERT_TRUE(PublicUtilities::parseSystemVersion(names.release, &major, &minor, &bugFix));
    quint32 gotMajor = 1, gotMinor = 1, gotBugFix = 1;
    PublicUtilities::getSystemVersion(&gotMajor, &gotMinor, &gotBugFix);
    EXPECT_EQ(gotMajor, major);
    EXPECT_EQ(gotMinor, minor);
    EXPECT_EQ(gotBugFix, bugFix);
    EXPECT_EQ(PublicUtilities::getSystemVersion(),
              PublicUtilities::systemVersionNumber(major, minor));
    PublicUtilities::getSystemVersion(nullptr, nullptr, nullptr); // all optional
}

} // namespace

namespace {

TEST(SystemVersionTest, FailureIsLoggedAndYieldsTenZeroZero) {
    Logger::setEchoToStderr(true);
    testing::internal::CaptureStderr();
    quint32 major = 1, minor = 2, bugFix = 3;
    EXPECT_FALSE(PublicUtilities::systemVersionFromRelease("linux", &major, &minor, &bugFix));
    EXPECT_FALSE(PublicUtilities::systemVersionFromRelease("6.1", &major, &minor, &bugFix,
                                                           QStringLiteral("uname: boom")));
    const std::string log = testing::internal::GetCapturedStderr();
    Logger::setEchoToStderr(false);
    EXPECT_EQ(major, 10u);
    EXPECT_EQ(minor, 0u);
    EXPECT_EQ(bugFix, 0u);
    EXPECT_NE(log.find("Unable to obtain system version: unreadable release \"linux\""),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Unable to obtain system version: uname: boom"), std::string::npos) << log;
    EXPECT_EQ(PublicUtilities::systemVersionNumber(major, minor), 1000);
}

} // namespace

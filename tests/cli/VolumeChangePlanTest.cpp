#include "app/Job/VolumeChangeOperation.h"

#include <gtest/gtest.h>

namespace {

// A format mounts the new file system where the old one was: a volume that is not mounted has
// no such place and is refused while planning, before anything is asked (korvane said so; the
// operation did not).
TEST(VolumeChangePlanTest, AFormatOfAVolumeThatIsNotMountedIsRefused) {
    VolumeObj volume;
    volume.volumePath = QStringLiteral("/dev/korvane-test-none");
    volume.volumeName = QStringLiteral("DATA");
    VolumeChangeOperation format(DestructiveOperation::Kind::Format, volume, QStringLiteral("ext4"),
                                 QStringLiteral("fresh"));
    const DestructiveOperation::Plan plan = format.plan({}, {});
    EXPECT_FALSE(plan.runnable());
    bool notMounted = false;
    for (const DestructiveOperation::Refused& refused : plan.refusals)
        notMounted = notMounted || (refused.reason == DestructiveOperation::Refusal::Missing &&
                                    refused.detail.contains(QStringLiteral("is not mounted")));
    EXPECT_TRUE(notMounted);
}

} // namespace

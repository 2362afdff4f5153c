#include "app/Job/VolumeChangeOperation.h"

#include <gtest/gtest.h>

namespace {

bool refusedFor(const DestructiveOperation::Plan& plan, DestructiveOperation::Refusal reason,
                const QString& words) {
    for (const DestructiveOperation::Refused& refused : plan.refusals)
        if (refused.reason == reason && refused.detail.contains(words))
            return true;
    return false;
}

// A format of a device the disk listing does not hold, and a partition table that is neither
// gpt nor dos, are refused while planning, before anything is asked.
TEST(VolumeChangePlanTest, AFormatOfNoListedDeviceOrAnUnknownTableIsRefused) {
    VolumeObj volume;
    volume.volumePath = QStringLiteral("/dev/korvane-test-none");
    volume.volumeName = QStringLiteral("DATA");
    VolumeChangeOperation format(DestructiveOperation::Kind::Format, volume, QStringLiteral("ext4"),
                                 QStringLiteral("fresh"), QStringLiteral("apm"));
    const DestructiveOperation::Plan plan = format.plan({}, {});
    EXPECT_FALSE(plan.runnable());
    EXPECT_TRUE(plan.consents.isEmpty()) << "nothing is asked for what is refused";
    EXPECT_TRUE(refusedFor(plan, DestructiveOperation::Refusal::BadInput,
                           QStringLiteral("unknown partition table \"apm\"")));
    EXPECT_EQ(format.formatTarget().kind, FormatTarget::Kind::None);
}

} // namespace

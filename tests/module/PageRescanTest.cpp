// The disk pages read the disks again each time they are shown: a format, a rename or a wipe
// done elsewhere, or free space used meanwhile, is not shown as it was before.
#include "ModuleUiTestSupport.h"

#include "app/Main/WipeDisk/WipeDiskViewController.h"
#include "app/RepairDisk/DiskFormatViewController.h"
#include "app/RepairDisk/DiskToolViewController.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace moduletest;

namespace {

// Shows PAGE once its first scan (made when it was built) is in; true when showing it brings
// a new scan, announced by SIGNAL.
template <typename Page, typename Signal> bool scansWhenShown(Page& page, Signal signal) {
    QSignalSpy shown(&page, signal);
    if (!shown.wait(30000))
        return false; // the first scan never came
    page.hide();
    shown.clear();
    page.show();
    return shown.wait(30000);
}

TEST(PageRescanTest, EachDiskPageScansAgainWhenShown) {
    TempBundle bundle(TempBundle::Tool::Real);
    {
        DiskToolViewController tool(nullptr);
        EXPECT_TRUE(scansWhenShown(tool, &DiskToolViewController::disksShown)) << "Disk Tool";
    }
    {
        DiskFormatViewController format(nullptr);
        EXPECT_TRUE(scansWhenShown(format, &DiskFormatViewController::volumesShown))
            << "Disk Format";
    }
    {
        WipeDiskViewController freeSpace(nullptr, WipeDiskViewController::kFreeSpace);
        EXPECT_TRUE(scansWhenShown(freeSpace, &WipeDiskViewController::volumesShown))
            << "Erase Free Space";
    }
}

} // namespace

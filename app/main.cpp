#include "app/AppDelegate.h"
#include "app/DisplayProbe.h"
#include "app/MainEntry.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"
#include "platform/PrivilegedLauncher.h"

int main(int argc, char** argv) {
    Logger::open("Korvane Data Eraser");
    BundleLocator::outerBundlePath(); // fixes the bundle before anything can replace the program
    if (!MainEntry::shouldRunApplication(argc, argv) && ZZManRunLoader())
        return 0;
    if (MainEntry::startedThroughPkexec() && !DisplayProbe::canOpenWindows(argc, argv)) {
        // The watcher that ran pkexec starts the program again as the user on this status.
        Logger::log(QStringLiteral("Cannot open windows on the display as root"));
        return PrivilegedLauncher::kNoDisplayStatus;
    }
    MainEntry::recordInvokingUser();
    return AppDelegate::runApplication(argc, argv);
}

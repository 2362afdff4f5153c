#include "app/AppDelegate.h"
#include "app/MainEntry.h"
#include "platform/Logger.h"

int main(int argc, char** argv) {
    Logger::open("Korvane Data Eraser");
    if (!MainEntry::shouldRunApplication(argc, argv) && ZZManRunLoader())
        return 0;
    return AppDelegate::runApplication(argc, argv);
}

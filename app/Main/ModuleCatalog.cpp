#include "app/Main/ModuleCatalog.h"

const QList<ModuleInfo>& ModuleCatalog::all() {
    static const QList<ModuleInfo> modules{
        {MainModule::EraseFiles, QStringLiteral("Erase Files"), QStringLiteral("nav_erase_files"),
         QStringLiteral("Overwrite files and folders so that they cannot be read back.")},
        {MainModule::EraseHardDrive, QStringLiteral("Erase Hard Drive"),
         QStringLiteral("nav_erase_drive"),
         QStringLiteral("Overwrite a whole volume, then format it afresh.")},
        {MainModule::EraseFreeSpace, QStringLiteral("Erase Free Space"),
         QStringLiteral("nav_erase_freespace"),
         QStringLiteral("Overwrite the free space of a volume, where deleted files linger.")},
        {MainModule::DiskFormat, QStringLiteral("Disk Format"), QStringLiteral("nav_disk_format"),
         QStringLiteral("Format a volume with a new file system.")},
        {MainModule::DiskTool, QStringLiteral("Disk Tool"), QStringLiteral("nav_disk_tool"),
         QStringLiteral("Rename and eject volumes.")},
        {MainModule::Uninstaller, QStringLiteral("Uninstaller"), QStringLiteral("nav_uninstaller"),
         QStringLiteral("Remove an application together with the files that belong to it.")},
        {MainModule::InternetCleaner, QStringLiteral("Internet Cleaner"),
         QStringLiteral("nav_internet_cleaner"),
         QStringLiteral("Remove the browsing data of the installed web browsers.")},
        {MainModule::DuplicateFinder, QStringLiteral("Duplicate Finder"),
         QStringLiteral("nav_duplicate_finder"),
         QStringLiteral("Find files of identical content under a folder.")},
    };
    return modules;
}

const ModuleInfo& ModuleCatalog::info(MainModule module) {
    return all().at(indexOf(module));
}

#include "app/Main/ModuleCatalog.h"

#include <QCoreApplication>

namespace {

struct ModuleText {
    MainModule module;
    const char* title;
    const char* iconName;
    const char* summary;
};

} // namespace

// Built on every call so the titles follow the tables installed (the language can be chosen
// after the first window was built, in tests for one).
QList<ModuleInfo> ModuleCatalog::all() {
    static const ModuleText modules[]{
        {MainModule::EraseFiles, QT_TRANSLATE_NOOP("ModuleCatalog", "Erase Files"),
         "nav_erase_files",
         QT_TRANSLATE_NOOP("ModuleCatalog",
                           "Overwrite files and folders so that they cannot be read back.")},
        {MainModule::EraseHardDrive, QT_TRANSLATE_NOOP("ModuleCatalog", "Erase Hard Drive"),
         "nav_erase_drive",
         QT_TRANSLATE_NOOP("ModuleCatalog", "Overwrite a whole volume, then format it afresh.")},
        {MainModule::EraseFreeSpace, QT_TRANSLATE_NOOP("ModuleCatalog", "Erase Free Space"),
         "nav_erase_freespace",
         QT_TRANSLATE_NOOP("ModuleCatalog",
                           "Overwrite the free space of a volume, where deleted files linger.")},
        {MainModule::DiskFormat, QT_TRANSLATE_NOOP("ModuleCatalog", "Disk Format"),
         "nav_disk_format",
         QT_TRANSLATE_NOOP("ModuleCatalog", "Format a volume with a new file system.")},
        {MainModule::DiskTool, QT_TRANSLATE_NOOP("ModuleCatalog", "Disk Tool"), "nav_disk_tool",
         QT_TRANSLATE_NOOP("ModuleCatalog", "Rename and eject volumes.")},
        {MainModule::Uninstaller, QT_TRANSLATE_NOOP("ModuleCatalog", "Uninstaller"),
         "nav_uninstaller",
         QT_TRANSLATE_NOOP("ModuleCatalog",
                           "Remove an application together with the files that belong to it.")},
        {MainModule::InternetCleaner, QT_TRANSLATE_NOOP("ModuleCatalog", "Internet Cleaner"),
         "nav_internet_cleaner",
         QT_TRANSLATE_NOOP("ModuleCatalog",
                           "Remove the browsing data of the installed web browsers.")},
        {MainModule::DuplicateFinder, QT_TRANSLATE_NOOP("ModuleCatalog", "Duplicate Finder"),
         "nav_duplicate_finder",
         QT_TRANSLATE_NOOP("ModuleCatalog", "Find files of identical content under a folder.")},
    };
    QList<ModuleInfo> list;
    for (const ModuleText& text : modules)
        list.append({text.module, QCoreApplication::translate("ModuleCatalog", text.title),
                     QString::fromLatin1(text.iconName),
                     QCoreApplication::translate("ModuleCatalog", text.summary)});
    return list;
}

ModuleInfo ModuleCatalog::info(MainModule module) {
    return all().at(indexOf(module));
}

#pragma once

#include <QList>
#include <QString>

// The modules of the main window, in the order of its module list.
enum class MainModule {
    EraseFiles,
    EraseHardDrive,
    EraseFreeSpace,
    DiskFormat,
    DiskTool,
    Uninstaller,
    InternetCleaner,
    DuplicateFinder,
};

struct ModuleInfo {
    MainModule module;
    QString title;    // shown in the list: "Erase Files"
    QString iconName; // picture name (Images)
    QString summary;  // one line about what the module does
};

class ModuleCatalog {
public:
    static QList<ModuleInfo> all();
    static ModuleInfo info(MainModule module);
    static int indexOf(MainModule module) { return static_cast<int>(module); }
};

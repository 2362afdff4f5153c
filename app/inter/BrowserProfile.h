#pragma once

#include <QString>

// One profile of one install layout of a browser, with its paths expanded for the user.
struct BrowserProfile {
    QString layout;   // "native", "snap", "flatpak", ...
    QString userData; // the user-data folder (Chromium) or profiles folder (Firefox)
    QString cache;    // the layout's cache folder
    QString name;     // the profile's folder name below userData ("." for userData itself)
    QString path;     // the profile folder
};

#pragma once

#include <QString>

// One profile of one install layout of a browser, with its folders found for the user. Every
// folder here is link-free and in the user's home (HomeLinkResolver); an empty one is not there.
struct BrowserProfile {
    QString layout;       // "native", "snap", "flatpak", ...
    QString userData;     // the user-data folder (Chromium) or profiles folder (Firefox)
    QString cache;        // the layout's cache folder
    QString name;         // the profile as the browser names it ("Default", "abcd.default", ".")
    QString path;         // the profile folder
    QString profileCache; // the profile's own cache folder: where the browser puts it
};

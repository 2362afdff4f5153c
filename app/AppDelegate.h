#pragma once

#include "app/Main/MainWindowController.h"

#include <memory>

class QApplication;

// Start-up of the main program: theme, stored defaults, the font keys, the main window.
// The steps that touch the stores are separate so that they can be run without an event loop.
class AppDelegate {
public:
    AppDelegate();
    ~AppDelegate();

    // Everything the program does at start before the window shows: the theme on APP, the
    // erasure level default, the main window, and its fonts recorded in the settings store.
    void applicationDidFinishLaunching(QApplication& app);
    MainWindowController* mainWindow() const { return m_window.get(); }

    // Writes EraserTimes = 1 into the main program's defaults when it is 0 or missing.
    static void ensureEraserTimes();
    // Records the window's reference fonts under FontRegular, FontLight and FontBold.
    static void writeFontKeys(const MainWindowController::ReferenceFonts& fonts);

    static int runApplication(int argc, char** argv);

private:
    std::unique_ptr<MainWindowController> m_window;
};

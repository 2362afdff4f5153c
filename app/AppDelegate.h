#pragma once

// Start-up of the main program's window: stored defaults, fonts, the main window.
class AppDelegate {
public:
    static int runApplication(int argc, char** argv);
};

#pragma once

// Whether this process can open windows on its display. Qt ends the process when its platform
// cannot start (an X server that refuses root, a Wayland session without a display for root), so
// the attempt is made in a forked child that reports back; the caller can then end with a status
// its starter understands instead of vanishing.
class DisplayProbe {
public:
    static bool canOpenWindows(int argc, char** argv);
};

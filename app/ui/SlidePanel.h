#pragma once

#include <QWidget>
#include <functional>

class QPropertyAnimation;

// Panels that slide in from the right over a module (the erasure-standard panel, the history):
// the panel is a child of the area it covers, enters from the area's right edge to x = 0 in half
// a second, and leaves the same way before it is hidden. At the window's standard size the
// module area is 784 pixels wide, so the panel travels from 784 to 0.
class SlidePanel {
public:
    static constexpr int kDurationMs = 500;
    static constexpr int kDefaultTravel = 784;

    // Covers the parent area with PANEL, shows it at the right edge and slides it to x = 0.
    static QPropertyAnimation* slideIn(QWidget* panel);
    // Slides PANEL back to the right edge, then hides it and calls DONE (if given).
    static QPropertyAnimation* slideOut(QWidget* panel, std::function<void()> done = {});
    // The x at which the panel is out of sight: the width of its parent area.
    static int hiddenX(const QWidget* panel);

private:
    static QPropertyAnimation* animate(QWidget* panel, int fromX, int toX);
};

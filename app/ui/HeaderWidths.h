#pragma once

class QHeaderView;

// Column titles are longer in some languages ("Bus / eingehängt unter"): columns of a fixed
// width are widened to show their title whole. Call once the titles are set.
class HeaderWidths {
public:
    static void fitTitles(QHeaderView* header);
};

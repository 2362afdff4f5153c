#pragma once

#include "app/Main/WipeDisk/WipeFreeSpaceProViewController.h"

// The progress of a whole-volume wipe: the free-space wipe's view under its own title.
class WipeDiskProViewController : public WipeFreeSpaceProViewController {
    Q_OBJECT
public:
    explicit WipeDiskProViewController(const QString& standardName, QWidget* parent = nullptr);
};

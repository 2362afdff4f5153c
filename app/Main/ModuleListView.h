#pragma once

#include "app/Main/ModuleCatalog.h"

#include <QListWidget>

// The module list on the left of the main window. While locked (a module is working) it refuses
// every change of the current module, from the mouse, the keyboard or the code, and looks
// disabled.
class ModuleListView : public QListWidget {
    Q_OBJECT
public:
    explicit ModuleListView(QWidget* parent = nullptr);

    void setLocked(bool locked);
    bool isLocked() const { return m_locked; }

    // Makes ROW the current module; false when locked or out of range.
    bool selectModule(int row);

signals:
    void moduleChosen(int row);

private:
    bool m_locked = false;
};

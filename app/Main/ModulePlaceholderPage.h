#pragma once

#include "app/Main/ModuleCatalog.h"

#include <QWidget>

// The page of a module that this version does not carry yet: it says so plainly and offers
// nothing that would pretend otherwise.
class ModulePlaceholderPage : public QWidget {
    Q_OBJECT
public:
    explicit ModulePlaceholderPage(const ModuleInfo& module, QWidget* parent = nullptr);

    static QString message(const ModuleInfo& module);
};

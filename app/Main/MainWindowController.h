#pragma once

#include "app/Main/ModuleCatalog.h"
#include "app/Main/ModuleOwner.h"

#include <QFont>
#include <QWidget>

class QLabel;
class QStackedWidget;
class ModuleListView;

// The main window: the module list on the left; the module chosen owns the right-hand side.
//
// Modules are plugged in with setModulePage(), each module receiving this window as its
// ModuleOwner (for example: window.setModulePage(MainModule::EraseFiles,
// new FileEraserViewController(&window))). A module without a page shows a plain notice that it
// is not available in this version.
class MainWindowController : public QWidget, public ModuleOwner {
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("Korvane Data Eraser");

    // RUNNINGASADMIN false shows a notice that erasures may fail for lack of rights.
    explicit MainWindowController(bool runningAsAdmin, QWidget* parent = nullptr);

    // Puts PAGE (taken over) in MODULE's place, replacing what was there.
    void setModulePage(MainModule module, QWidget* page);
    QWidget* modulePage(MainModule module) const;

    // Switches to MODULE; false while switching is locked.
    bool showModule(MainModule module);
    MainModule currentModule() const;

    void canChangeType(bool canChange) override;
    bool canChangeModule() const;

    ModuleListView* moduleList() const { return m_list; }
    // The notice shown when running without administrator rights; null otherwise.
    QLabel* adminNotice() const { return m_adminNotice; }

    // The fonts of the window's three reference labels, recorded in the settings store at start
    // for text-drawing cells and buttons.
    struct ReferenceFonts {
        QFont regular;
        QFont light;
        QFont bold;
    };
    ReferenceFonts referenceFonts() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Asked when the window is closed while a module works; true lets it close.
    virtual bool confirmCloseWhileLocked();

private:
    QWidget* buildSidebar(bool runningAsAdmin);
    int sidebarWidth() const;

    ModuleListView* m_list = nullptr;
    QStackedWidget* m_stack = nullptr;
    QLabel* m_titleLabel = nullptr;    // bold reference
    QLabel* m_subtitleLabel = nullptr; // light reference
    QLabel* m_versionLabel = nullptr;  // regular reference
    QLabel* m_adminNotice = nullptr;
};

#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/uninstall/AMAppItem.h"
#include "app/uninstall/AppCatalog.h"
#include "app/uninstall/UninstallReport.h"

#include <QFutureWatcher>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <memory>

class CustemSegmentVC;
class ImageButton;
class ModuleOwner;
class OperationRunner;
class QLabel;
class QLineEdit;
class QTableWidget;
class UninstallOperation;
class UninstallProgressViewController;

// The uninstaller module: applications, widgets and plug-ins in three tabs, each a table with
// check box, icon, name and identifier, version, size (measured when the row is first shown)
// and a remove button; search, sort, select all; "Uninstall" removes the selection with what
// belongs to it after a confirmation tree, with a progress window and an end message that says
// what stayed. The scan and the removal run off the main thread.
class UninstallViewController : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCheckColumn = 0, kNameColumn = 1, kVersionColumn = 2, kSizeColumn = 3,
                         kTrashColumn = 4;

    // CATALOG: where to look (tests give a fixture tree); null for this machine's.
    UninstallViewController(ModuleOwner* owner, std::shared_ptr<AppCatalog> catalog = nullptr,
                            QWidget* parent = nullptr);
    ~UninstallViewController() override;

    void getApplications();
    void refButtonAction();
    void segmentSelectWithIndex(int index);
    void controlTextDidChange(const QString& text);
    void closeSearchButton();
    void selectAllButtonAction();
    void clickButtonAction(int row);
    void selectSortbyType(int sortType, int sortAD);
    void headerClicked(int column);
    void uninstallAppButtonAction();
    void oneAppRemove(int row);
    // The removal ended and its end view was closed: the removed entries leave the lists.
    void completeCleanRelatedFiles(const UninstallReport& report);
    // Starts measuring ROW's size if that has not been done (called as the row is drawn).
    void needSize(int row);

    int appsType() const { return m_appsType; }
    bool isScan() const { return m_isScan; }
    const QList<AMAppItemPtr>& showListArr() const { return m_showListArr; }
    const QList<AMAppItemPtr>& fullList(int tab) const { return m_lists[tab]; }
    const QList<AMAppItemPtr>& selectionList(int tab) const { return m_selected[tab]; }
    QTableWidget* table() const { return m_table; }
    QLabel* countLabel() const { return m_count; }
    ImageButton* selectAllButton() const { return m_selectAll; }
    ImageButton* uninstallButton() const { return m_uninstall; }
    QLineEdit* searchField() const { return m_search; }
    CustemSegmentVC* tabBar() const { return m_tabs; }

signals:
    void scanFinished();
    // A removal run begins, shown in VIEW (before the first item is reached).
    void removalStarted(UninstallProgressViewController* view);
    void removalFinished();

private:
    void reloadTable();
    void changeSelectAllButtonState();
    void setHeaderTitle();
    void showConfirmation(const QList<AMAppItemPtr>& apps);
    void planned(const DestructiveOperation::Plan& plan);
    void startRun(const DestructiveOperation::Plan& plan);
    void sortShown(int key, bool descending);
    QList<AMAppItemPtr> filtered() const;

    ModuleOwner* m_owner;
    std::shared_ptr<AppCatalog> m_catalog;
    int m_appsType = 0;
    QList<AMAppItemPtr> m_lists[3];    // allApplications, widgetsArr, pluginsArr
    QList<AMAppItemPtr> m_selected[3]; // uninsatllAppArr, uninsatllWidgtsArr, uninsatllPlugetsArr
    QList<AMAppItemPtr> m_showListArr;
    QList<AMAppItemPtr> m_handedOver;
    bool m_isScan = false;
    bool m_isSort = false;
    int m_sortType = 0, m_sortAD = 0;
    int m_sortedColumn = -1;
    QLabel* m_title;
    QLabel* m_count;
    QLineEdit* m_search;
    CustemSegmentVC* m_tabs;
    QTableWidget* m_table;
    ImageButton* m_refresh;
    ImageButton* m_sort;
    ImageButton* m_selectAll;
    ImageButton* m_uninstall;
    QFutureWatcher<void> m_scan;
    QPointer<UninstallProgressViewController> m_progress;
    bool m_running = false;
    OperationRunner* m_runner;
    std::shared_ptr<UninstallOperation> m_removal;
    UninstallReport m_lastReport; // of the last run, for the end view's close
};

#pragma once

#include "app/Job/EraseFilesOperation.h"
#include "app/Main/FileEraser/FileEraserProgressViewController.h"
#include "app/Main/FileEraser/FileObj.h"
#include "app/SetEraserLevel/HistoryViewController.h"
#include "app/SetEraserLevel/SetEraserLevelVC.h"

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

class DragView;
class FileEraserListView;
class FileEraserTableModel;
class ImageButton;
class ModuleOwner;
class OperationRunner;
class QLabel;
class QStackedWidget;

// The "Erase Files" module: gathers files and folders (Add, or dropped on it), lets the user
// sort and select them, and erases the selected ones with the stored erasure standard after a
// confirmation, with a progress window and a result window. Every erasure is recorded in the
// history. The list lives as long as the module, across module switches.
//
// The erasure is the shared EraseFilesOperation, planned and run by an OperationRunner on a
// worker thread: this module only gathers the items, shows the plan's questions, the progress
// and the report. The folder walk of the plan and the erasure both run off the UI thread, so
// the window keeps answering (and Cancel works) however large the selection. The operation
// works on copies of the selected items, so the list's own items are never changed by the
// worker; the results are copied back once the run has ended.
class FileEraserViewController : public QWidget, public SetEraserLevelVCDelegate {
    Q_OBJECT
public:
    // OWNER (the main window, may be null) is told to lock module switching while erasing.
    explicit FileEraserViewController(ModuleOwner* owner, QWidget* parent = nullptr);
    ~FileEraserViewController() override;

    // Adds one batch of paths (chosen in the Add panel or dropped): items on NTFS volumes are
    // refused with a notice, "/" ends the batch, paths the erasure refuses (".", "..", the
    // program's own files...) are refused with a message, listed and missing paths are skipped.
    void addPaths(const QStringList& paths);
    // The Add panel, starting in newPathStr.
    void addButtonAction();
    void emptyList();
    // Sorts a copy off the main thread and swaps it in; sortFinished() tells when it is shown.
    void sortWith(int sortType, int sortAD);
    // Selects every item, or clears them all when all were selected.
    void selectAllAction();
    // Looks through the selected items (progress, Cancel), asks for the confirmation (a second
    // one for home and system folders and mount points; refused items are named and left out),
    // then erases the rest and shows the result.
    void eraseNowAction();
    // Stops the running erasure after the current item.
    void cancelErasure();
    void settingsButtonAction();
    void historyButtonAction();
    void openItem(int row);
    void revealItem(int row);

    // SetEraserLevelVCDelegate
    void closeSetEraserLevelView() override;

    const QList<FileObjPtr>& valueArr() const { return m_valueArr; }
    const QList<FileObjPtr>& deleteErrorArr() const { return m_deleteErrorArr; }
    bool isErasing() const { return m_erasing; }
    // The selection is being looked through before the confirmation.
    bool isPlanning() const { return m_planning; }
    bool showsList() const;
    int sortType() const { return m_sortType; }
    int sortAD() const { return m_sortAD; }
    QString newPathStr() const { return m_newPathStr; }
    qint64 eraserTimeR() const { return m_eraserTimeR; }

    DragView* dragView() const { return m_dragView; }
    FileEraserListView* listView() const { return m_listView; }
    ImageButton* historyButton() const { return m_historyButton; }
    ImageButton* settingsButton() const { return m_settingsButton; }
    QLabel* standardLabel() const { return m_standardLabel; }
    FileEraserProgressViewController* progressView() const { return m_progressView; }
    SetEraserLevelVC* levelPanel() const { return m_levelPanel; }
    HistoryViewController* historyView() const { return m_historyView; }

    // The folder the Add panel starts in the first time: the user's home folder.
    static QString userHomeFolder();

signals:
    void sortFinished();
    // The result window was closed and the list shows what is left.
    void erasureFinished();
    // Paths were refused while adding; MESSAGES say why (also shown to the user).
    void pathsRefused(const QStringList& messages);
    // The user chose, in the result, to wipe the free space of the copy-on-write volume at
    // MOUNTPOINT that held erased items.
    void freeSpaceWipeRequested(const QString& mountPoint);

private:
    QWidget* buildHeader();
    void showRowMenu(int row, const QPoint& globalPos);
    void showVanished(const FileObjPtr& item);
    void listChanged();
    void refreshViews();
    void refreshHistoryButton();
    void refreshStandardLabel();
    // The plan of the selected items, or none when it was stopped or the window went away.
    std::optional<DestructiveOperation::Plan> planSelection();
    void startErasure(const DestructiveOperation::Plan& plan,
                      const DestructiveOperation::Consents& consents);
    void showProgress(const DestructiveOperation::Progress& progress);
    void planArrived(const DestructiveOperation::Plan& plan);
    void erasureEnded();
    // Copies the results of the run's copies onto the list's items; returns those now gone.
    QList<FileObjPtr> takeResults(const EraseReport& report);
    void showResultAndFinish();
    void tick();
    void setErasing(bool erasing);

    ModuleOwner* m_owner;
    QList<FileObjPtr> m_valueArr;
    QList<FileObjPtr> m_deleteErrorArr;
    OperationRunner* m_runner = nullptr;
    std::shared_ptr<EraseFilesOperation> m_operation;
    std::optional<DestructiveOperation::Plan> m_plan;
    QHash<QByteArray, FileObjPtr> m_originals; // the list's items the operation got copies of
    bool m_isCancel = false;
    bool m_planning = false;
    bool m_erasing = false;
    bool m_inProgressWindow = false;
    int m_sortType = 0;
    int m_sortAD = 0;
    quint64 m_listVersion = 0; // changes whenever items come or go
    qint64 m_eraserTimeR = 0;
    QTimer m_eraserTimer;
    QElapsedTimer m_clock;
    QString m_newPathStr;

    FileEraserTableModel* m_model;
    QStackedWidget* m_pages;
    DragView* m_dragView;
    FileEraserListView* m_listView;
    ImageButton* m_historyButton = nullptr;
    ImageButton* m_settingsButton = nullptr;
    QLabel* m_standardLabel = nullptr;
    QPointer<FileEraserProgressViewController> m_progressView;
    QPointer<SetEraserLevelVC> m_levelPanel;
    QPointer<HistoryViewController> m_historyView;
    QFutureWatcher<QList<FileObjPtr>> m_sortWatcher;
    quint64 m_sortedVersion = 0;
};

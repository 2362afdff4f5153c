#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/VolumeObj.h"
#include "app/SetEraserLevel/SetEraserLevelVC.h"

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class DriveListView;
class DrivePlanPreview;
class HistoryViewController;
class ImageButton;
class ModuleOwner;
class QLabel;
class QTableWidget;
class OperationRunner;
class WatchMountUnmount;
class WipeDriveProViewController;
class WipeFreeSpaceProViewController;

// The volume-wiping module: the mounted volumes as a one-choice list, and "Erase Now" for the
// chosen one's free space (mode 1) or the whole volume (mode 2). In mode 2 the drives and their
// partitions are listed above the volumes (DriveListView): one or several of them are overwritten
// whole by a drive wipe, a volume is formatted anew and overwritten as before; a choice in one
// list clears the other. The lists follow mounts and unmounts; the wipes are the core operations
// (WipeFreeSpaceOperation, WipeVolumeOperation, WipeDriveOperation), planned and run by an
// OperationRunner off the UI thread, which record the history. The plan's refusals get their
// notices (NTFS, the start-up volume) or the end view saying why, before any question; a drive
// wipe's confirmation shows its refusals, notes and consents. Module switching is locked from the
// start of the wipe to the end view. The header names the stored standard and follows it as it
// changes, from this page's chooser or any other.
class WipeDiskViewController : public QWidget, public SetEraserLevelVCDelegate {
    Q_OBJECT
public:
    static constexpr int kFreeSpace = 1;
    static constexpr int kWholeVolume = 2;

    WipeDiskViewController(ModuleOwner* owner, int mode, QWidget* parent = nullptr);
    ~WipeDiskViewController() override;

    // Mode switch: 1 selects the whole volume, anything else the free space.
    void changeFormatOrFreeSpaceView(int choice);
    int selectEraserType() const { return m_selectEraserType; }

    // Rebuilds the list in the background (nothing when a scan is running).
    void getallVolumes();
    // Applies the row the user chose (-1: the stored row).
    void selectVolumeButton(int row = -1);
    void wipeButtonAction();
    // Chooses the volume mounted at MOUNTPOINT once the list shows it, and asks to wipe its free
    // space (the confirmation first), whatever the mode was.
    void eraseFreeSpaceOf(const QString& mountPoint);

    const QList<VolumeObj>& allVolumeArr() const { return m_allVolumeArr; }
    int selectIndex() const { return m_selectIndex; }
    QTableWidget* table() const { return m_table; }
    QLabel* selectionLabel() const { return m_selection; }
    QLabel* subtitleLabel() const { return m_subtitle; }
    DriveListView* driveList() const { return m_drives; }
    DrivePlanPreview* drivePreview() const { return m_preview; }
    ImageButton* eraseButton() const { return m_erase; }
    ImageButton* settingsButton() const { return m_settingsButton; }
    SetEraserLevelVC* levelPanel() const { return m_levelPanel; }

    // SetEraserLevelVCDelegate
    void closeSetEraserLevelView() override;
    bool isBegin() const { return m_isBegin; }

signals:
    void volumesShown();
    void wipeFinished();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showVolumes(const QList<VolumeObj>& volumes);
    // The plan of the chosen volume's wipe is in: a notice or the refusal, else the question,
    // then the run.
    void planArrived(const DestructiveOperation::Plan& plan);
    void showRefusal(const DestructiveOperation::Plan& plan);
    void startWipe(const DestructiveOperation::Plan& plan);
    void showEnd(const FreeSpaceWipeJob::Report& report);
    // The drive wipe: the chosen drives changed; the question from the plan; the run; its end.
    void driveChoiceChanged();
    void askDriveWipe(const DestructiveOperation::Plan& plan);
    void startDriveWipe(const DestructiveOperation::Plan& plan,
                        const DestructiveOperation::Consents& consents);
    void showDriveEnd(const DestructiveOperation::Report& report);
    void finishWipe();
    void historyButtonAction();
    void settingsButtonAction();
    void refreshHistoryButton();
    void refreshTitles();

    ModuleOwner* m_owner;
    int m_selectEraserType;
    QList<VolumeObj> m_allVolumeArr;
    VolumeObj m_selectVolumeObj;
    int m_selectIndex = -1;
    QString m_selectDevice;      // the chosen volume's device, kept across rescans
    QString m_pendingMountPoint; // eraseFreeSpaceOf's volume, until the list shows it
    QElapsedTimer m_wipeClock;   // since the volume wipe under way started
    bool m_scanning = false;
    bool m_planning = false;
    bool m_isBegin = false;
    QLabel* m_title;
    QLabel* m_subtitle;
    QLabel* m_loading;
    QLabel* m_selection;
    QLabel* m_drivesTitle;
    QLabel* m_volumesTitle;
    DriveListView* m_drives;
    DrivePlanPreview* m_preview;
    QTableWidget* m_table;
    ImageButton* m_erase;
    ImageButton* m_historyButton;
    ImageButton* m_settingsButton;
    WatchMountUnmount* m_watch;
    QFutureWatcher<QList<VolumeObj>> m_scan;
    OperationRunner* m_runner = nullptr;
    std::shared_ptr<DestructiveOperation> m_operation;
    // The wipe job's own report of the operation's last run (read once it has ended).
    std::function<FreeSpaceWipeJob::Report()> m_wipeReport;
    QPointer<WipeFreeSpaceProViewController> m_progress;
    QPointer<WipeDriveProViewController> m_driveProgress;
    QPointer<HistoryViewController> m_historyView;
    QPointer<SetEraserLevelVC> m_levelPanel;
};

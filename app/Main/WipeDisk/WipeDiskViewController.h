#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/VolumeObj.h"

#include <QFutureWatcher>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class HistoryViewController;
class ImageButton;
class ModuleOwner;
class QLabel;
class QTableWidget;
class OperationRunner;
class WatchMountUnmount;
class WipeFreeSpaceProViewController;

// The volume-wiping module: the mounted volumes as a one-choice list, and "Erase Now" for the
// chosen one's free space (mode 1) or the whole volume (mode 2). The list follows mounts and
// unmounts; the wipes are the core operations (WipeFreeSpaceOperation, WipeVolumeOperation),
// planned and run by an OperationRunner off the UI thread, which record the history. The plan's
// refusals get their notices (NTFS, the start-up volume) or the end view saying why, before any
// question; module switching is locked from the start of the wipe to the end view.
class WipeDiskViewController : public QWidget {
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
    ImageButton* eraseButton() const { return m_erase; }
    bool isBegin() const { return m_isBegin; }

signals:
    void volumesShown();
    void wipeFinished();

private:
    void showVolumes(const QList<VolumeObj>& volumes);
    // The plan of the chosen volume's wipe is in: a notice or the refusal, else the question,
    // then the run.
    void planArrived(const DestructiveOperation::Plan& plan);
    void showRefusal(const DestructiveOperation::Plan& plan);
    void startWipe(const DestructiveOperation::Plan& plan);
    void showEnd(const FreeSpaceWipeJob::Report& report);
    void finishWipe();
    void historyButtonAction();
    void refreshHistoryButton();
    void refreshTitles();

    ModuleOwner* m_owner;
    int m_selectEraserType;
    QList<VolumeObj> m_allVolumeArr;
    VolumeObj m_selectVolumeObj;
    int m_selectIndex = -1;
    QString m_selectDevice;      // the chosen volume's device, kept across rescans
    QString m_pendingMountPoint; // eraseFreeSpaceOf's volume, until the list shows it
    bool m_scanning = false;
    bool m_planning = false;
    bool m_isBegin = false;
    QLabel* m_title;
    QLabel* m_subtitle;
    QLabel* m_loading;
    QLabel* m_selection;
    QTableWidget* m_table;
    ImageButton* m_erase;
    ImageButton* m_historyButton;
    WatchMountUnmount* m_watch;
    QFutureWatcher<QList<VolumeObj>> m_scan;
    OperationRunner* m_runner = nullptr;
    std::shared_ptr<DestructiveOperation> m_operation;
    // The wipe job's own report of the operation's last run (read once it has ended).
    std::function<FreeSpaceWipeJob::Report()> m_wipeReport;
    QPointer<WipeFreeSpaceProViewController> m_progress;
    QPointer<HistoryViewController> m_historyView;
};

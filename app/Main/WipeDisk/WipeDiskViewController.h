#pragma once

#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/VolumeObj.h"

#include <QFutureWatcher>
#include <QList>
#include <QPointer>
#include <QWidget>

class HistoryViewController;
class ImageButton;
class ModuleOwner;
class QLabel;
class QTableWidget;
class WatchMountUnmount;
class WholeVolumeWipeJob;
class WipeFreeSpaceProViewController;

// The volume-wiping module: the mounted volumes as a one-choice list, and "Erase Now" for the
// chosen one's free space (mode 1) or the whole volume (mode 2). The list follows mounts and
// unmounts; the wipes are the core jobs (FreeSpaceWipeJob, WholeVolumeWipeJob), which record the
// history; module switching is locked from the confirmation to the end view.
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
    void makeSureToWipeFreeSpaceSelectVolume();
    void makeSureToWipeSelectVolume();
    void showProgress(WipeFreeSpaceProViewController* view);
    void showEnd(const FreeSpaceWipeJob::Report& report);
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
    FreeSpaceWipeJob* m_freeJob = nullptr;
    WholeVolumeWipeJob* m_wholeJob = nullptr;
    QPointer<WipeFreeSpaceProViewController> m_progress;
    QPointer<HistoryViewController> m_historyView;
};

#pragma once

#include "app/RepairDisk/DiskObj.h"

#include <QFutureWatcher>
#include <QList>
#include <QStringList>
#include <QTreeWidget>

// The drives of the machine as a tree, each whole disk with its partitions: for a disk its
// model, size, medium, transport and serial number, for a partition its size, file system,
// label and mount point. Every row has a check box: several drives, or partitions, may be chosen
// for one drive wipe. A disk and one of its own partitions are one drive, so choosing one
// unticks the other. The choice follows the device across rescans; a device that went is
// dropped from it.
class DriveListView : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kDeviceRole = Qt::UserRole + 1;

    explicit DriveListView(QWidget* parent = nullptr);
    ~DriveListView() override;

    // Lists the disks again in the background; disksShown() follows.
    void reload();
    const QList<DiskObj>& disks() const { return m_disks; }

    // The chosen devices, in the order of the tree.
    QStringList chosenDevices() const;
    // Ticks or unticks DEVICE (a disk or a partition shown); false when it is not shown.
    bool setChosen(const QString& device, bool chosen);
    void clearChoice();
    // The first row showing DEVICE, or none.
    QTreeWidgetItem* itemFor(const QString& device) const;

signals:
    void disksShown();
    void choiceChanged();

private:
    void showDisks(const QList<DiskObj>& disks);
    void toggle(const QString& device);
    void refreshChecks();
    // The devices of the tree in their order, each once.
    QStringList shownDevices() const;
    // A and B are one drive: a disk and one of its own partitions (two partitions of one disk
    // are not).
    bool sameDrive(const QString& a, const QString& b) const;

    QList<DiskObj> m_disks;
    QStringList m_chosen;
    QFutureWatcher<QList<DiskObj>> m_scan;
    bool m_rescan = false; // asked for while a scan was under way
};

#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/RepairDisk/DiskTool.h"

#include <QFutureWatcher>
#include <QList>
#include <QWidget>
#include <functional>
#include <memory>

class ImageButton;
class ModuleOwner;
class OperationRunner;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// "Disk Tool": every disk with its volumes as a tree (size, file system, name, mount point,
// bus, removable), and what can be done to them without erasing: rename a volume, mount or
// unmount it, eject a removable disk. The volume tool refuses what the system needs and says
// when a volume is busy; its answer is shown under the tree. "Copy…" opens the disk copy. The
// changes are VolumeChangeOperations, planned and run by an OperationRunner off the UI thread.
class DiskToolViewController : public QWidget {
    Q_OBJECT
public:
    explicit DiskToolViewController(ModuleOwner* owner, QWidget* parent = nullptr);
    ~DiskToolViewController() override;

    void reloadDisks();
    const QList<DiskObj>& disks() const { return m_disks; }
    // Selects the row of DEVICE (a disk or a volume); false when it is not shown.
    bool select(const QString& device);

    void renameSelected(); // asks for the new name
    void mountOrUnmountSelected();
    void ejectSelected();

    QTreeWidget* tree() const { return m_tree; }
    ImageButton* renameButton() const { return m_rename; }
    ImageButton* mountButton() const { return m_mount; }
    ImageButton* ejectButton() const { return m_eject; }
    QLabel* statusLabel() const { return m_status; }

signals:
    void disksShown();
    void actionFinished(bool ok, const QString& message);

protected:
    // Disks change while the page is away (a format on another page, a stick pulled out).
    void showEvent(QShowEvent* event) override;

private:
    void showDisks(const QList<DiskObj>& disks);
    void refreshButtons();
    const DiskObj* selectedDisk() const;
    const VolumeObj* selectedVolume() const;
    // Plans and runs OPERATION, saying WHAT meanwhile; DONETEXT makes the text of a success
    // from the tool's answer (the answer itself when empty).
    void runAction(const QString& what, std::shared_ptr<DestructiveOperation> operation,
                   std::function<QString(const QString& answer)> doneText = {});
    void endAction(bool ok, const QString& message);

    ModuleOwner* m_owner;
    QList<DiskObj> m_disks;
    bool m_busy = false;
    QTreeWidget* m_tree;
    QLabel* m_status;
    ImageButton* m_refresh;
    ImageButton* m_rename;
    ImageButton* m_mount;
    ImageButton* m_eject;
    ImageButton* m_copy;
    QFutureWatcher<QList<DiskObj>> m_scan;
    bool m_rescan = false; // asked for while a scan was under way
    OperationRunner* m_runner = nullptr;
    std::function<QString(const QString& answer)> m_doneText;
};

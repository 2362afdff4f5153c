#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/Main/WipeDisk/VolumeObj.h"
#include "app/RepairDisk/DiskTool.h"
#include "app/RepairDisk/FormatTarget.h"

#include <QFutureWatcher>
#include <QList>
#include <QPointer>
#include <QWidget>

class ImageButton;
class ModuleOwner;
class OperationRunner;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

// "Disk Format": what can be formatted, disk by disk: a whole disk nothing of which is mounted
// (blank, or its partitions unmounted), then its volumes, mounted or not. The user chooses one,
// a file system among those that can be made here and a name (checked against that file
// system's rules as it is typed), for a whole disk the partition table (GPT or MBR), confirms a
// question that names what is lost, and the target is formatted through the volume tool, which
// refuses anything the system needs. A progress view and an end view that says what happened
// follow. The format is a VolumeChangeOperation, planned (its refusals come before the
// question, its consent is the question) and run by an OperationRunner off the UI thread.
class DiskFormatViewController : public QWidget {
    Q_OBJECT
public:
    explicit DiskFormatViewController(ModuleOwner* owner, QWidget* parent = nullptr);
    ~DiskFormatViewController() override;

    // Looks at the disks again (in the background); volumesShown() follows.
    void reloadVolumes();
    // One row each: the volume, or a whole disk as a volume record (targets() tells which).
    const QList<VolumeObj>& volumes() const { return m_volumes; }
    const QList<FormatTarget>& targets() const { return m_targets; }
    void chooseVolume(int row);

    QTableWidget* table() const { return m_table; }
    QComboBox* formatBox() const { return m_format; }
    // The partition table a whole disk gets; enabled only while a whole disk is chosen.
    QComboBox* tableBox() const { return m_partitionTable; }
    QLineEdit* nameField() const { return m_name; }
    QLabel* nameProblem() const { return m_problem; }
    ImageButton* formatButton() const { return m_formatButton; }
    bool isRunning() const { return m_running; }

signals:
    void volumesShown();
    void formatFinished(bool ok, const QString& message);

protected:
    // Volumes change while the page is away (a rename or an unmount in the disk tool).
    void showEvent(QShowEvent* event) override;

private:
    void showVolumes(const QList<DiskObj>& disks);
    void refreshButton();
    void formatChosen();
    void formatPlanned(const DestructiveOperation::Plan& plan);
    void runFormat(const DestructiveOperation::Plan& plan);
    void formatEnded(const DestructiveOperation::Report& report);
    void endFormat(bool ok, const QString& message);

    ModuleOwner* m_owner;
    QList<FormatTarget> m_targets;
    QList<VolumeObj> m_volumes;
    int m_chosen = -1;
    bool m_running = false;
    QTableWidget* m_table;
    QComboBox* m_format;
    QComboBox* m_partitionTable;
    QLineEdit* m_name;
    QLabel* m_problem;
    QLabel* m_status;
    ImageButton* m_formatButton;
    QFutureWatcher<QList<DiskObj>> m_scan;
    bool m_rescan = false; // asked for while a scan was under way
    OperationRunner* m_runner = nullptr;
    // The format planned or under way.
    VolumeObj m_target;
    QString m_targetFormat;
    QString m_targetName;
    QString m_targetShown;
    QPointer<QWidget> m_progress;
};

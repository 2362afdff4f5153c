#include "app/Main/WipeDisk/DriveListView.h"

#include "app/ui/HeaderWidths.h"

#include "app/RepairDisk/DiskTool.h"
#include "app/ui/Images.h"

#include <QHeaderView>
#include <QTreeWidgetItemIterator>
#include <QtConcurrent>
#include <utility>

namespace {
constexpr int kDiskRole = DriveListView::kDeviceRole + 1; // the whole disk a row belongs to

QString orDash(const QString& text) {
    return text.isEmpty() ? QStringLiteral("—") : text;
}
} // namespace

DriveListView::DriveListView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("driveTree"));
    setColumnCount(5);
    // A disk's row tells its medium and bus where a partition's tells its file system and
    // mount point.
    setHeaderLabels({tr("Drive or partition"), tr("Size"), tr("Type"), tr("Bus / mounted at"),
                     tr("Serial number")});
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setStretchLastSection(false);
    header()->resizeSection(1, 80);
    header()->resizeSection(2, 110);
    header()->resizeSection(3, 160);
    header()->resizeSection(4, 110);
    HeaderWidths::fitTitles(header());
    setIconSize(QSize(20, 20));
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setRootIsDecorated(false);
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { toggle(item->data(0, kDeviceRole).toString()); });
    connect(&m_scan, &QFutureWatcher<QList<DiskObj>>::finished, this, [this] {
        if (std::exchange(m_rescan, false)) {
            m_scan.setFuture(QtConcurrent::run([] { return DiskTool::listDisks(); }));
            return;
        }
        showDisks(m_scan.result());
    });
}

DriveListView::~DriveListView() {
    m_scan.waitForFinished();
}

void DriveListView::reload() {
    // A scan under way may have read the disks before the change that asks for this one.
    if (m_scan.isRunning()) {
        m_rescan = true;
        return;
    }
    m_scan.setFuture(QtConcurrent::run([] { return DiskTool::listDisks(); }));
}

void DriveListView::showDisks(const QList<DiskObj>& disks) {
    m_disks = disks;
    clear();
    for (const DiskObj& disk : disks) {
        auto* top = new QTreeWidgetItem(this);
        top->setData(0, kDeviceRole, disk.deviceNode);
        top->setData(0, kDiskRole, disk.deviceNode);
        top->setText(0, disk.mediaName.isEmpty()
                            ? disk.deviceNode
                            : QStringLiteral("%1 — %2").arg(disk.deviceNode, disk.mediaName));
        top->setText(1, disk.totalSize);
        top->setText(2, disk.solidState ? tr("Solid state") : tr("Rotating"));
        top->setText(3, orDash(disk.busProtocol));
        top->setText(4, orDash(disk.serial));
        top->setToolTip(0, tr("%1\nsectors: %2 bytes logical, %3 bytes physical")
                               .arg(top->text(0))
                               .arg(disk.logicalBlockSize)
                               .arg(disk.physicalBlockSize));
        for (const VolumeObj& volume : disk.volumes) {
            auto* row = new QTreeWidgetItem(top);
            row->setData(0, kDeviceRole, volume.volumePath);
            row->setData(0, kDiskRole, disk.deviceNode);
            row->setText(
                0, volume.volumeName.isEmpty()
                       ? volume.volumePath
                       : QStringLiteral("%1  “%2”").arg(volume.volumePath, volume.volumeName));
            row->setToolTip(0, row->text(0));
            row->setText(1, volume.volumeTotalSize);
            row->setText(2, volume.diskType.isEmpty() ? tr("no file system") : volume.diskType);
            row->setText(3, volume.volumeMountPoint.isEmpty() ? tr("not mounted")
                                                              : volume.volumeMountPoint);
        }
        top->setExpanded(true);
    }
    // The choice keeps the devices still there.
    const QStringList shown = shownDevices();
    const QStringList before = std::exchange(m_chosen, {});
    for (const QString& device : before)
        if (shown.contains(device))
            m_chosen << device;
    refreshChecks();
    if (m_chosen != before)
        emit choiceChanged();
    emit disksShown();
}

QStringList DriveListView::shownDevices() const {
    QStringList devices;
    for (QTreeWidgetItemIterator it(const_cast<DriveListView*>(this)); *it; ++it) {
        const QString device = (*it)->data(0, kDeviceRole).toString();
        if (!devices.contains(device))
            devices << device;
    }
    return devices;
}

QStringList DriveListView::chosenDevices() const {
    QStringList ordered;
    for (const QString& device : shownDevices())
        if (m_chosen.contains(device))
            ordered << device;
    return ordered;
}

QTreeWidgetItem* DriveListView::itemFor(const QString& device) const {
    for (QTreeWidgetItemIterator it(const_cast<DriveListView*>(this)); *it; ++it)
        if ((*it)->data(0, kDeviceRole).toString() == device)
            return *it;
    return nullptr;
}

bool DriveListView::sameDrive(const QString& a, const QString& b) const {
    const QTreeWidgetItem* first = itemFor(a);
    const QTreeWidgetItem* second = itemFor(b);
    return first && second &&
           first->data(0, kDiskRole).toString() == second->data(0, kDiskRole).toString() &&
           (first->parent() == nullptr || second->parent() == nullptr || a == b);
}

bool DriveListView::setChosen(const QString& device, bool chosen) {
    if (!itemFor(device))
        return false;
    if (m_chosen.contains(device) != chosen)
        toggle(device);
    return true;
}

void DriveListView::toggle(const QString& device) {
    if (device.isEmpty())
        return;
    if (m_chosen.removeAll(device) == 0) {
        m_chosen.removeIf([&](const QString& other) { return sameDrive(device, other); });
        m_chosen << device;
    }
    refreshChecks();
    emit choiceChanged();
}

void DriveListView::clearChoice() {
    if (m_chosen.isEmpty())
        return;
    m_chosen.clear();
    refreshChecks();
    emit choiceChanged();
}

void DriveListView::refreshChecks() {
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        const bool chosen = m_chosen.contains((*it)->data(0, kDeviceRole).toString());
        (*it)->setIcon(0, Images::icon(chosen ? QStringLiteral("checkbox_yes")
                                              : QStringLiteral("checkbox_no")));
    }
}

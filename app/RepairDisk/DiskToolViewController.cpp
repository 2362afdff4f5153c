#include "app/RepairDisk/DiskToolViewController.h"

#include "app/ui/HeaderWidths.h"

#include "app/FileCopy/DiskCopyViewController.h"
#include "app/Job/OperationRunner.h"
#include "app/Job/VolumeChangeOperation.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/ModuleOwner.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <utility>

namespace {
constexpr int kDiskRole = Qt::UserRole + 1, kVolumeRole = Qt::UserRole + 2;

// Asks for a volume's new name, checking it against the file system's rules as it is typed.
QWidget* renameView(const VolumeObj& volume, QString* chosen) {
    auto* view = new QWidget;
    view->setObjectName(QStringLiteral("RenameVolumeView"));
    view->setFixedSize(460, 230);
    auto* column =
        FileEraserViewParts::frame(view, QStringLiteral("nav_disk_tool"),
                                   DiskToolViewController::tr("Rename %1").arg(volume.volumeName));
    auto* field = new QLineEdit(volume.volumeName);
    field->setObjectName(QStringLiteral("nameField"));
    auto* problem =
        FileEraserViewParts::paragraph(QStringLiteral(" "), QStringLiteral("nameProblem"));
    auto* cancel =
        FileEraserViewParts::button(QStringLiteral("btn_sec"), DiskToolViewController::tr("Cancel"),
                                    QStringLiteral("cancelButton"));
    auto* rename = FileEraserViewParts::button(QStringLiteral("btn_main"),
                                               DiskToolViewController::tr("Rename"),
                                               QStringLiteral("renameButton"));
    auto check = [field, problem, rename, type = volume.diskType] {
        const QString why = DiskTool::whyVolumeNameInvalid(type, field->text());
        problem->setText(why.isEmpty() ? QStringLiteral(" ") : why);
        rename->setEnabled(why.isEmpty());
    };
    QObject::connect(field, &QLineEdit::textChanged, view, check);
    QObject::connect(cancel, &ImageButton::clicked, view,
                     [view] { AttachedWindow::dismiss(view, QDialog::Rejected); });
    QObject::connect(rename, &ImageButton::clicked, view, [view, field, chosen] {
        *chosen = field->text();
        AttachedWindow::dismiss(view, QDialog::Accepted);
    });
    column->addWidget(field);
    column->addWidget(problem);
    column->addStretch();
    column->addLayout(FileEraserViewParts::buttonRow({cancel, rename}));
    check();
    return view;
}

} // namespace

DiskToolViewController::DiskToolViewController(ModuleOwner* owner, QWidget* parent)
    : QWidget(parent), m_owner(owner) {
    setObjectName(QStringLiteral("DiskToolViewController"));
    auto* title = new QLabel(tr("Disk Tool"));
    title->setProperty("role", QStringLiteral("title"));
    auto* subtitle = new QLabel(tr("Disks and their volumes: rename, mount, unmount, eject"));
    subtitle->setProperty("role", QStringLiteral("subtitle"));

    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("diskTree"));
    m_tree->setColumnCount(5);
    m_tree->setHeaderLabels(
        {tr("Name"), tr("File system"), tr("Size"), tr("Mounted at"), tr("Connection")});
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->resizeSection(1, 110);
    m_tree->header()->resizeSection(2, 90);
    m_tree->header()->resizeSection(3, 150);
    m_tree->header()->resizeSection(4, 130);
    HeaderWidths::fitTitles(m_tree->header());
    m_tree->setIconSize(QSize(22, 22));
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this,
            &DiskToolViewController::refreshButtons);

    m_status = new QLabel(tr("Looking for disks…"));
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_status->setWordWrap(true);
    m_refresh = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Refresh"),
                                            QStringLiteral("refreshButton"));
    m_rename = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Rename…"),
                                           QStringLiteral("renameButton"));
    m_mount = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Unmount"),
                                          QStringLiteral("mountButton"));
    m_eject = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Eject"),
                                          QStringLiteral("ejectButton"));
    m_copy = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Copy…"),
                                         QStringLiteral("copyButton"));
    connect(m_copy, &ImageButton::clicked, this, [this] {
        // The chosen volume, when it is mounted, is where the copy starts from.
        auto* copy = new DiskCopyViewController;
        if (const VolumeObj* volume = selectedVolume();
            volume && !volume->volumeMountPoint.isEmpty())
            copy->scanSource(volume->volumeMountPoint);
        AttachedWindow::run(copy, this);
        reloadDisks();
    });
    connect(m_refresh, &ImageButton::clicked, this, &DiskToolViewController::reloadDisks);
    connect(m_rename, &ImageButton::clicked, this, &DiskToolViewController::renameSelected);
    connect(m_mount, &ImageButton::clicked, this, &DiskToolViewController::mountOrUnmountSelected);
    connect(m_eject, &ImageButton::clicked, this, &DiskToolViewController::ejectSelected);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_refresh);
    buttons->addWidget(m_copy);
    buttons->addStretch();
    buttons->addWidget(m_rename);
    buttons->addWidget(m_mount);
    buttons->addWidget(m_eject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(&m_scan, &QFutureWatcher<QList<DiskObj>>::finished, this, [this] {
        if (std::exchange(m_rescan, false)) {
            m_scan.setFuture(QtConcurrent::run([] { return DiskTool::listDisks(); }));
            return;
        }
        showDisks(m_scan.result());
    });
    reloadDisks();
    refreshButtons();
}

DiskToolViewController::~DiskToolViewController() {
    delete m_runner; // joins a change still under way
    m_scan.waitForFinished();
}

void DiskToolViewController::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A scan under way started no earlier than this page was last changed.
    if (!m_busy && !m_scan.isRunning())
        reloadDisks();
}

void DiskToolViewController::reloadDisks() {
    // A scan under way may have read the disks before the change that asks for this one.
    if (m_scan.isRunning()) {
        m_rescan = true;
        return;
    }
    m_scan.setFuture(QtConcurrent::run([] { return DiskTool::listDisks(); }));
}

void DiskToolViewController::showDisks(const QList<DiskObj>& disks) {
    QString selected;
    if (const VolumeObj* v = selectedVolume())
        selected = v->volumePath;
    else if (const DiskObj* d = selectedDisk())
        selected = d->deviceNode;
    m_disks = disks;
    m_tree->clear();
    for (int d = 0; d < disks.size(); ++d) {
        const DiskObj& disk = disks[d];
        auto* top = new QTreeWidgetItem(m_tree);
        top->setData(0, kDiskRole, d);
        top->setData(0, kVolumeRole, -1);
        top->setText(0, disk.mediaName.isEmpty()
                            ? disk.deviceNode
                            : QStringLiteral("%1 — %2").arg(disk.deviceNode, disk.mediaName));
        top->setToolTip(0, top->text(0));
        top->setIcon(
            0, Images::icon(disk.removable ? QStringLiteral("ic_usb") : QStringLiteral("ic_disk")));
        top->setText(2, disk.totalSize);
        top->setText(4,
                     disk.removable ? tr("%1, removable").arg(disk.busProtocol) : disk.busProtocol);
        for (int v = 0; v < disk.volumes.size(); ++v) {
            const VolumeObj& volume = disk.volumes[v];
            auto* row = new QTreeWidgetItem(top);
            row->setData(0, kDiskRole, d);
            row->setData(0, kVolumeRole, v);
            row->setText(0,
                         QStringLiteral("%1  (%2)")
                             .arg(volume.volumeName.isEmpty() ? tr("Untitled") : volume.volumeName,
                                  volume.volumePath));
            if (volume.volumeMountPoint == QLatin1String("/"))
                row->setIcon(0, Images::icon(QStringLiteral("ic_os")));
            row->setText(1, volume.diskType);
            row->setText(2, volume.volumeTotalSize);
            row->setText(3, volume.volumeMountPoint.isEmpty() ? tr("not mounted")
                                                              : volume.volumeMountPoint);
        }
        top->setExpanded(true);
    }
    if (!selected.isEmpty())
        select(selected);
    if (!m_busy)
        m_status->setText(disks.isEmpty() ? tr("No disks were found.") : QStringLiteral(" "));
    refreshButtons();
    emit disksShown();
}

bool DiskToolViewController::select(const QString& device) {
    // A disk that holds its file system itself (a loop image) shares its node with its volume:
    // the volume's row is the one meant.
    QTreeWidgetItem* found = nullptr;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        const int d = (*it)->data(0, kDiskRole).toInt(), v = (*it)->data(0, kVolumeRole).toInt();
        const QString node =
            v < 0 ? m_disks.value(d).deviceNode : m_disks.value(d).volumes.value(v).volumePath;
        if (node == device && (!found || v >= 0))
            found = *it;
    }
    if (found)
        m_tree->setCurrentItem(found);
    return found != nullptr;
}

const DiskObj* DiskToolViewController::selectedDisk() const {
    const QTreeWidgetItem* item = m_tree->currentItem();
    const int d = item ? item->data(0, kDiskRole).toInt() : -1;
    return item && d >= 0 && d < m_disks.size() ? &m_disks[d] : nullptr;
}

const VolumeObj* DiskToolViewController::selectedVolume() const {
    const DiskObj* disk = selectedDisk();
    const int v = disk ? m_tree->currentItem()->data(0, kVolumeRole).toInt() : -1;
    return disk && v >= 0 && v < disk->volumes.size() ? &disk->volumes[v] : nullptr;
}

void DiskToolViewController::refreshButtons() {
    const DiskObj* disk = selectedDisk();
    const VolumeObj* volume = selectedVolume();
    m_rename->setEnabled(!m_busy && volume && !volume->diskType.isEmpty());
    m_mount->setEnabled(!m_busy && volume && !volume->diskType.isEmpty());
    m_mount->setText(volume && volume->volumeMountPoint.isEmpty() ? tr("Mount") : tr("Unmount"));
    m_eject->setEnabled(!m_busy && disk &&
                        (disk->removable || disk->busProtocol == QLatin1String("Disk Image")));
    m_refresh->setEnabled(!m_busy);
}

void DiskToolViewController::runAction(const QString& what,
                                       std::shared_ptr<DestructiveOperation> operation,
                                       std::function<QString(const QString& answer)> doneText) {
    m_busy = true;
    if (m_owner)
        m_owner->canChangeType(false);
    m_status->setText(what);
    refreshButtons();
    m_doneText = std::move(doneText);
    delete m_runner;
    m_runner = new OperationRunner(this);
    connect(m_runner, &OperationRunner::planned, this,
            [this](const DestructiveOperation::Plan& plan) {
                if (!plan.runnable()) {
                    endAction(false, plan.refusals.isEmpty() ? tr("Nothing was changed.")
                                                             : plan.refusals.first().detail);
                    return;
                }
                // None of these changes asks anything beyond the click (and the rename's name).
                m_runner->run(plan, DestructiveOperation::Consents());
            });
    connect(m_runner, &OperationRunner::finished, this,
            [this](const DestructiveOperation::Report& report) {
                const DestructiveOperation::Item item = report.items.value(0);
                const bool ok =
                    report.failure.isEmpty() && item.outcome == DestructiveOperation::Outcome::Done;
                const QString answer =
                    ok ? item.detail : (report.failure.isEmpty() ? item.detail : report.failure);
                endAction(ok, ok && m_doneText ? m_doneText(answer) : answer);
            });
    m_runner->plan(std::move(operation));
}

void DiskToolViewController::endAction(bool ok, const QString& message) {
    m_busy = false;
    if (m_owner)
        m_owner->canChangeType(true);
    m_status->setText(message);
    reloadDisks();
    emit actionFinished(ok, message);
}

void DiskToolViewController::renameSelected() {
    const VolumeObj* volume = selectedVolume();
    if (m_busy || !volume)
        return;
    QString name;
    if (AttachedWindow::run(renameView(*volume, &name), this) != QDialog::Accepted)
        return;
    runAction(tr("Renaming %1…").arg(volume->volumePath),
              std::make_shared<VolumeChangeOperation>(DestructiveOperation::Kind::Rename, *volume,
                                                      QString(), name));
}

void DiskToolViewController::mountOrUnmountSelected() {
    const VolumeObj* volume = selectedVolume();
    if (m_busy || !volume)
        return;
    const QString device = volume->volumePath;
    if (volume->volumeMountPoint.isEmpty())
        runAction(
            tr("Mounting %1…").arg(device),
            std::make_shared<VolumeChangeOperation>(DestructiveOperation::Kind::Mount, *volume),
            [device](const QString& mountPoint) {
                return tr("%1 is mounted at %2.").arg(device, mountPoint);
            });
    else
        runAction(
            tr("Unmounting %1…").arg(device),
            std::make_shared<VolumeChangeOperation>(DestructiveOperation::Kind::Unmount, *volume));
}

void DiskToolViewController::ejectSelected() {
    const DiskObj* disk = selectedDisk();
    if (m_busy || !disk)
        return;
    const QString device = disk->deviceNode;
    // The operation names what it acts on by a volume: here the disk itself.
    VolumeObj whole;
    whole.volumePath = device;
    runAction(tr("Ejecting %1…").arg(device),
              std::make_shared<VolumeChangeOperation>(DestructiveOperation::Kind::Eject, whole),
              [device](const QString&) { return tr("%1 may be unplugged now.").arg(device); });
}

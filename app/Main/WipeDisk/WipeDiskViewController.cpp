#include "app/Main/WipeDisk/WipeDiskViewController.h"

#include "app/ui/HeaderWidths.h"

#include "app/Comm/EraserStandardNotifier.h"
#include "app/Comm/PublicUtilities.h"
#include "app/Job/OperationRunner.h"
#include "app/Job/WipeDriveOperation.h"
#include "app/Job/WipeFreeSpaceOperation.h"
#include "app/Job/WipeVolumeOperation.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/ModuleOwner.h"
#include "app/Main/WipeDisk/DriveListView.h"
#include "app/Main/WipeDisk/DrivePlanPreview.h"
#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/MakeSureWipeDiskViewController.h"
#include "app/Main/WipeDisk/MakeSureWipeDriveViewController.h"
#include "app/Main/WipeDisk/MakeSureWipeFreeSpaceViewController.h"
#include "app/Main/WipeDisk/NTFSViewController.h"
#include "app/Main/WipeDisk/SystemEraserViewController.h"
#include "app/Main/WipeDisk/VolumeList.h"
#include "app/Main/WipeDisk/WatchMountUnmount.h"
#include "app/Main/WipeDisk/WholeVolumeWipeJob.h"
#include "app/Main/WipeDisk/WipeDiskProViewController.h"
#include "app/Main/WipeDisk/WipeDriveEndViewController.h"
#include "app/Main/WipeDisk/WipeDriveProViewController.h"
#include "app/Main/WipeDisk/WipeFailViewController.h"
#include "app/Main/WipeDisk/WipeSuccessViewController.h"
#include "app/Main/WipeDisk/WipeTimeEstimate.h"
#include "app/Main/WipeDisk/WipeWorkFolder.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/SetEraserLevel/HistoryViewController.h"
#include "app/inter/DoDataBase.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"
#include "app/ui/SlidePanel.h"
#include "platform/FileSystemInfo.h"
#include "platform/Logger.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <algorithm>
#include <optional>
#include <utility>

namespace {
const QString kHistoryFlag = QStringLiteral("WipeVolumeHistory");

QString passesText(int passes) {
    return passes == 1 ? QStringLiteral("once") : QStringLiteral("%1 times").arg(passes);
}
} // namespace

WipeDiskViewController::WipeDiskViewController(ModuleOwner* owner, int mode, QWidget* parent)
    : QWidget(parent), m_owner(owner), m_selectEraserType(mode) {
    setObjectName(QStringLiteral("WipeDiskViewController"));
    m_title = new QLabel;
    m_title->setProperty("role", QStringLiteral("title"));
    m_subtitle = new QLabel;
    m_subtitle->setProperty("role", QStringLiteral("subtitle"));
    m_historyButton = new ImageButton(QStringLiteral("ic_nohistory"));
    m_historyButton->setObjectName(QStringLiteral("historyButton"));
    m_historyButton->setToolTip(tr("Erasure history"));
    m_historyButton->setFixedSize(32, 32);
    connect(m_historyButton, &ImageButton::clicked, this,
            &WipeDiskViewController::historyButtonAction);
    m_settingsButton = new ImageButton(QStringLiteral("ic_settings"));
    m_settingsButton->setObjectName(QStringLiteral("settingsButton"));
    m_settingsButton->setToolTip(tr("Erasure standard"));
    m_settingsButton->setFixedSize(32, 32);
    connect(m_settingsButton, &ImageButton::clicked, this,
            &WipeDiskViewController::settingsButtonAction);
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(m_title);
    text->addWidget(m_subtitle);
    auto* header = new QHBoxLayout;
    header->addLayout(text, 1);
    header->addWidget(m_settingsButton, 0, Qt::AlignTop);
    header->addWidget(m_historyButton, 0, Qt::AlignTop);

    m_table = new QTableWidget(0, 5);
    m_table->setObjectName(QStringLiteral("volumeTable"));
    m_table->setHorizontalHeaderLabels(
        {QString(), tr("Name"), tr("Type"), tr("Total Size"), tr("Free Size")});
    m_table->verticalHeader()->hide();
    m_table->setShowGrid(false);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->setIconSize(QSize(22, 22));
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int column : {0})
        m_table->setColumnWidth(column, 40);
    m_table->setColumnWidth(2, 150);
    m_table->setColumnWidth(3, 100);
    m_table->setColumnWidth(4, 100);
    HeaderWidths::fitTitles(m_table->horizontalHeader());
    connect(m_table, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (m_isBegin || m_planning)
            return;
        m_drives->clearChoice(); // one kind of wipe at a time
        m_selectIndex = row;
        selectVolumeButton(row);
    });

    m_drivesTitle = new QLabel(tr("Drives and partitions: every byte overwritten"));
    m_drivesTitle->setObjectName(QStringLiteral("drivesTitle"));
    m_drivesTitle->setProperty("role", QStringLiteral("subtitle"));
    m_drives = new DriveListView;
    connect(m_drives, &DriveListView::choiceChanged, this,
            &WipeDiskViewController::driveChoiceChanged);
    m_volumesTitle = new QLabel(tr("Mounted volumes: formatted anew, then overwritten"));
    m_volumesTitle->setObjectName(QStringLiteral("volumesTitle"));
    m_volumesTitle->setProperty("role", QStringLiteral("subtitle"));
    m_preview = new DrivePlanPreview;

    m_loading = new QLabel(tr("Looking for volumes…"));
    m_loading->setObjectName(QStringLiteral("loadingLabel"));
    m_selection = new QLabel(QStringLiteral(" "));
    m_selection->setObjectName(QStringLiteral("selectionLabel"));
    m_erase = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Erase Now"),
                                          QStringLiteral("eraseButton"));
    m_erase->setEnabled(false);
    connect(m_erase, &ImageButton::clicked, this, &WipeDiskViewController::wipeButtonAction);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_selection, 1);
    bottom->addWidget(m_erase);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addLayout(header);
    layout->addWidget(m_drivesTitle);
    layout->addWidget(m_drives, 2);
    layout->addWidget(m_volumesTitle);
    layout->addWidget(m_loading);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_preview);
    layout->addLayout(bottom);

    connect(&m_scan, &QFutureWatcher<QList<VolumeObj>>::finished, this,
            [this] { showVolumes(m_scan.result()); });
    refreshTitles();
    refreshHistoryButton();
    // The chooser of this page or of another one may change the standard while this one is up.
    connect(&EraserStandardNotifier::instance(), &EraserStandardNotifier::standardChanged, this,
            &WipeDiskViewController::refreshTitles);
    getallVolumes();
    m_watch = new WatchMountUnmount(this);
    connect(m_watch, &WatchMountUnmount::MCVolumeMount, this,
            &WipeDiskViewController::getallVolumes);
    connect(m_watch, &WatchMountUnmount::MCVolumeUnmount, this,
            &WipeDiskViewController::getallVolumes);
    // A partition's mount point is shown in the drive list too.
    for (auto signal : {&WatchMountUnmount::MCVolumeMount, &WatchMountUnmount::MCVolumeUnmount})
        connect(m_watch, signal, this, [this] {
            if (m_selectEraserType == kWholeVolume && isVisible())
                m_drives->reload();
        });
}

void WipeDiskViewController::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The standard may have been changed in the settings since the page was last shown, and
    // drives attached or detached.
    refreshTitles();
    if (m_selectEraserType == kWholeVolume)
        m_drives->reload();
    // Free space changes without a mount or an unmount: what is shown is read now. A scan under
    // way is new enough; a wipe being planned or run keeps its list.
    if (!m_isBegin && !m_planning && !m_scanning)
        getallVolumes();
}

WipeDiskViewController::~WipeDiskViewController() {
    delete m_runner; // stops and joins a wipe still under way
    m_scan.waitForFinished();
}

void WipeDiskViewController::changeFormatOrFreeSpaceView(int choice) {
    m_selectEraserType = choice == 1 ? kWholeVolume : kFreeSpace;
    refreshTitles();
}

void WipeDiskViewController::refreshTitles() {
    m_title->setText(m_selectEraserType == kWholeVolume ? tr("Erase Hard Drive")
                                                        : tr("Erase Free Space"));
    m_subtitle->setText(tr("Standard: %1").arg(PublicUtilities::getEraserTimes()));
    const bool drives = m_selectEraserType == kWholeVolume;
    m_drivesTitle->setVisible(drives);
    m_drives->setVisible(drives);
    m_volumesTitle->setVisible(drives);
    if (!drives)
        m_drives->clearChoice();
}

void WipeDiskViewController::getallVolumes() {
    if (m_scanning)
        return;
    m_scanning = true;
    m_loading->show();
    m_selection->setText(QStringLiteral(" "));
    m_erase->setEnabled(false);
    m_allVolumeArr.clear();
    m_table->setRowCount(0);
    m_scan.setFuture(QtConcurrent::run([] { return VolumeList::getallVolumes(); }));
}

void WipeDiskViewController::showVolumes(const QList<VolumeObj>& volumes) {
    m_allVolumeArr = volumes;
    QStringList mountPoints;
    m_table->setRowCount(int(volumes.size()));
    for (int row = 0; row < volumes.size(); ++row) {
        const VolumeObj& v = volumes[row];
        mountPoints << v.volumeMountPoint;
        auto* name = new QTableWidgetItem(Images::icon(v.bCanEject ? QStringLiteral("ic_usb")
                                                       : v.volumeMountPoint == QLatin1String("/")
                                                           ? QStringLiteral("ic_os")
                                                           : QStringLiteral("ic_disk")),
                                          v.volumeName);
        name->setToolTip(v.volumePath + QStringLiteral("  ") + v.volumeMountPoint);
        m_table->setItem(row, 1, name);
        m_table->setItem(row, 2, new QTableWidgetItem(v.volumeType));
        m_table->setItem(row, 3, new QTableWidgetItem(v.volumeTotalSize));
        m_table->setItem(row, 4, new QTableWidgetItem(v.volumeFreeSize));
        m_table->setItem(row, 0, new QTableWidgetItem);
    }
    // Work folders (ours by their marker) that a killed wipe left; a volume being wiped is
    // skipped. Not while a wipe of ours is planned or runs: the sweep holds each volume's wipe
    // lock for a moment, and the wipe starting then (after the reformat of a whole-volume wipe,
    // whose mount this scan follows) would be refused as "another wipe". Its end scans again.
    if (!m_isBegin && !m_planning)
        for (const QString& removed : WipeWorkFolder::removeLeftovers(mountPoints))
            Logger::log(QStringLiteral("removed the work folder left at %1").arg(removed));
    m_loading->hide();
    m_scanning = false;
    // The choice follows the device, not the row: a volume mounted or unmounted meanwhile moves
    // the rows, and a stored row would then name another volume.
    m_selectIndex = -1;
    for (int row = 0; row < volumes.size() && !m_selectDevice.isEmpty(); ++row)
        if (volumes[row].volumePath == m_selectDevice)
            m_selectIndex = row;
    if (!m_isBegin)
        selectVolumeButton(-1);
    if (!m_pendingMountPoint.isEmpty() && !m_isBegin) {
        const QString wanted = std::exchange(m_pendingMountPoint, QString());
        const int row =
            int(std::find_if(volumes.begin(), volumes.end(),
                             [&](const VolumeObj& v) { return v.volumeMountPoint == wanted; }) -
                volumes.begin());
        if (row < volumes.size()) {
            m_selectIndex = row;
            selectVolumeButton(row);
            QTimer::singleShot(0, this, &WipeDiskViewController::wipeButtonAction);
        } else {
            m_selection->setText(tr("%1 is not among the volumes listed here.").arg(wanted));
        }
    }
    emit volumesShown();
}

void WipeDiskViewController::eraseFreeSpaceOf(const QString& mountPoint) {
    if (m_isBegin || m_planning)
        return;
    m_selectEraserType = kFreeSpace;
    refreshTitles();
    m_pendingMountPoint = mountPoint;
    getallVolumes(); // a scan under way shows it when it ends
}

void WipeDiskViewController::selectVolumeButton(int row) {
    m_selection->setText(QStringLiteral(" "));
    const int chosen = row >= 0 ? row : m_selectIndex;
    for (int r = 0; r < m_table->rowCount(); ++r)
        if (QTableWidgetItem* radio = m_table->item(r, 0))
            radio->setIcon(Images::icon(r == chosen && chosen >= 0
                                            ? QStringLiteral("radiobutton_sel")
                                            : QStringLiteral("radiobutton_no")));
    if (chosen < 0 || chosen >= m_allVolumeArr.size()) {
        m_selectDevice.clear();
        // No volume chosen: drives may be.
        const QStringList drives = m_drives->chosenDevices();
        m_erase->setEnabled(!drives.isEmpty());
        if (!drives.isEmpty())
            m_selection->setText(
                tr("You have selected: %1").arg(drives.join(QStringLiteral(", "))));
        return;
    }
    m_selectVolumeObj = m_allVolumeArr.at(chosen);
    m_selectDevice = m_selectVolumeObj.volumePath;
    m_erase->setEnabled(true);
    m_selection->setText(tr("You have selected: %1").arg(m_selectVolumeObj.volumeName));
}

void WipeDiskViewController::wipeButtonAction() {
    if (m_isBegin || m_planning)
        return;
    const QStringList drives =
        m_selectEraserType == kWholeVolume ? m_drives->chosenDevices() : QStringList();
    if (drives.isEmpty() && (m_selectIndex < 0 || m_selectIndex >= m_allVolumeArr.size()))
        return;
    if (m_selectEraserType != kFreeSpace && m_selectEraserType != kWholeVolume) {
        Logger::log(QStringLiteral("no select type"));
        return;
    }
    if (!drives.isEmpty()) {
        m_operation = std::make_shared<WipeDriveOperation>(drives, WipeDriveOperation::Options{});
        m_wipeReport = nullptr;
    } else if (m_selectEraserType == kFreeSpace) {
        auto wipe = std::make_shared<WipeFreeSpaceOperation>(m_selectVolumeObj,
                                                             FreeSpaceWipeJob::Options{});
        m_wipeReport = [wipe] { return wipe->wipeReport(); };
        m_operation = wipe;
    } else {
        auto wipe =
            std::make_shared<WipeVolumeOperation>(m_selectVolumeObj, WholeVolumeWipeJob::Options{});
        m_wipeReport = [wipe] { return wipe->wipeReport(); };
        m_operation = wipe;
    }
    delete m_runner;
    m_runner = new OperationRunner(this);
    connect(m_runner, &OperationRunner::planned, this, &WipeDiskViewController::planArrived);
    // Drives are wiped side by side, each reporting for itself.
    m_runner->setProgressPerSubject(!drives.isEmpty());
    connect(m_runner, &OperationRunner::progress, this,
            [this](const DestructiveOperation::Progress& progress) {
                if (m_driveProgress)
                    m_driveProgress->setProgress(progress);
                else if (m_progress && progress.total > 0) {
                    const double percent = 100.0 * double(progress.done) / double(progress.total);
                    // The time left over all passes, from the pace so far.
                    const QString left = progress.pass > 0
                                             ? WipeTimeEstimate::leftText(
                                                   WipeTimeEstimate::fractionDone(
                                                       percent, progress.pass, progress.passes),
                                                   m_wipeClock.elapsed())
                                             : QString();
                    m_progress->setRemoveProgress(left.isEmpty() ? progress.subject
                                                                 : progress.subject +
                                                                       QStringLiteral(" · ") + left,
                                                  percent);
                }
            });
    connect(m_runner, &OperationRunner::finished, this,
            [this](const DestructiveOperation::Report& report) {
                if (m_operation && m_operation->kind() == DestructiveOperation::Kind::WipeDrive)
                    showDriveEnd(report);
                else
                    showEnd(m_wipeReport ? m_wipeReport() : FreeSpaceWipeJob::Report());
            });
    m_planning = true;
    m_runner->plan(m_operation);
}

void WipeDiskViewController::planArrived(const DestructiveOperation::Plan& plan) {
    if (plan.kind == DestructiveOperation::Kind::WipeDrive) {
        askDriveWipe(plan);
        return;
    }
    if (!plan.refusals.isEmpty() || !plan.runnable()) {
        m_planning = false;
        if (!plan.refusals.isEmpty())
            showRefusal(plan);
        return;
    }
    const QString volumeName = m_selectVolumeObj.volumeName;
    // The free space is written, or the whole volume once it is formatted anew.
    const bool freeSpace = plan.kind == DestructiveOperation::Kind::WipeFreeSpace;
    const QString estimate = WipeTimeEstimate::beforeText(
        quint64(qMax<qint64>(0, freeSpace ? m_selectVolumeObj.volumeFreeSizeNum
                                          : m_selectVolumeObj.volumeTotalSizeNum)),
        FreeSpaceWipeJob::passesFor(plan.level, QString()));
    QWidget* question =
        freeSpace
            ? static_cast<QWidget*>(new MakeSureWipeFreeSpaceViewController(
                  volumeName, passesText(plan.level), estimate))
            : new MakeSureWipeDiskViewController(volumeName, passesText(plan.level), estimate);
    // Still "planning" while the question is open: no second wipe can be asked for meanwhile.
    const bool yes = AttachedWindow::run(question, this) == QDialog::Accepted;
    m_planning = false;
    if (yes)
        startWipe(plan);
}

void WipeDiskViewController::showRefusal(const DestructiveOperation::Plan& plan) {
    using Refusal = DestructiveOperation::Refusal;
    const DestructiveOperation::Refused& first = plan.refusals.first();
    // The notices of their own: an NTFS volume's free space, and the start-up volume.
    if (first.reason == Refusal::Unsupported) {
        AttachedWindow::run(new NTFSViewController, this);
        return;
    }
    if (first.reason == Refusal::SystemVolume &&
        first.detail == WholeVolumeWipeJob::kStartupVolume) {
        AttachedWindow::run(new SystemEraserViewController, this);
        return;
    }
    // Anything else ends the attempt, saying why, as a wipe that could not start.
    QStringList why;
    for (const DestructiveOperation::Refused& refused : plan.refusals)
        why << refused.detail;
    AttachedWindow::run(new WipeFailViewController(why.join(QLatin1Char('\n')), false, false),
                        this);
    finishWipe();
}

void WipeDiskViewController::startWipe(const DestructiveOperation::Plan& plan) {
    // The one question of the wipe covers what the plan asks (for the whole volume: that it is
    // unmounted and formatted anew).
    DestructiveOperation::Consents consents;
    for (const DestructiveOperation::ConsentNeeded& needed : plan.consents)
        consents.give(needed.consent);
    m_wipeClock.start();
    WipeFreeSpaceProViewController* view =
        plan.kind == DestructiveOperation::Kind::WipeFreeSpace
            ? new WipeFreeSpaceProViewController(tr("Erasing free space"), plan.standard)
            : new WipeDiskProViewController(plan.standard);
    connect(view, &WipeFreeSpaceProViewController::cancelRequested, m_runner,
            &OperationRunner::stop);
    if (m_owner)
        m_owner->canChangeType(false);
    m_isBegin = true;
    m_progress = view;
    AttachedWindow* window = AttachedWindow::present(view, this);
    window->setClosableByEscape(false);
    m_runner->run(plan, consents);
}

void WipeDiskViewController::showEnd(const FreeSpaceWipeJob::Report& report) {
    if (m_progress)
        m_progress->closeWindow();
    m_isBegin = false;
    if (m_owner)
        m_owner->canChangeType(true);
    refreshHistoryButton();
    QStringList notes = report.notes;
    if (report.historyFailed)
        notes << tr("The wipe could not be recorded in the history: %1.")
                     .arg(DoDataBase::returnDoDataBase()->lastStatus().reason());
    QWidget* end =
        report.ok
            ? static_cast<QWidget*>(new WipeSuccessViewController(report.successText, notes))
            : new WipeFailViewController(report.reason, report.cancelled, report.volumeEmptied);
    AttachedWindow::run(end, this);
    finishWipe();
}

void WipeDiskViewController::finishWipe() {
    m_selectIndex = -1;
    m_selectDevice.clear();
    m_drives->clearChoice();
    if (m_selectEraserType == kWholeVolume)
        m_drives->reload();
    getallVolumes();
    emit wipeFinished();
}

void WipeDiskViewController::driveChoiceChanged() {
    const QStringList drives = m_drives->chosenDevices();
    m_preview->preview(drives);
    if (!drives.isEmpty() && !m_isBegin) {
        // Drives chosen: the volume's choice goes.
        m_selectIndex = -1;
        m_selectDevice.clear();
    }
    if (!m_isBegin)
        selectVolumeButton(m_selectIndex);
}

void WipeDiskViewController::askDriveWipe(const DestructiveOperation::Plan& plan) {
    auto* question = new MakeSureWipeDriveViewController(plan);
    std::optional<DestructiveOperation::Consents> given;
    connect(question, &MakeSureWipeDriveViewController::confirmed, question,
            [&given](const DestructiveOperation::Consents& consents) { given = consents; });
    // Still "planning" while the question is open: no second wipe can be asked for meanwhile.
    const bool yes = AttachedWindow::run(question, this) == QDialog::Accepted && given;
    m_planning = false;
    if (yes)
        startDriveWipe(plan, *given);
}

void WipeDiskViewController::startDriveWipe(const DestructiveOperation::Plan& plan,
                                            const DestructiveOperation::Consents& consents) {
    auto* view = new WipeDriveProViewController(plan);
    connect(view, &WipeDriveProViewController::stopRequested, m_runner, &OperationRunner::stop);
    if (m_owner)
        m_owner->canChangeType(false);
    m_isBegin = true;
    m_driveProgress = view;
    AttachedWindow* window = AttachedWindow::present(view, this);
    window->setClosableByEscape(false);
    m_runner->run(plan, consents);
}

void WipeDiskViewController::showDriveEnd(const DestructiveOperation::Report& report) {
    if (m_driveProgress)
        m_driveProgress->closeWindow();
    m_isBegin = false;
    if (m_owner)
        m_owner->canChangeType(true);
    refreshHistoryButton();
    const QString historyProblem = report.historyDue && !report.historyRecorded
                                       ? DoDataBase::returnDoDataBase()->lastStatus().reason()
                                       : QString();
    AttachedWindow::run(new WipeDriveEndViewController(report, historyProblem), this);
    finishWipe();
}

void WipeDiskViewController::historyButtonAction() {
    if (m_isBegin || m_planning)
        return;
    delete m_historyView;
    m_historyView = HistoryViewController::openOver(this, DoDataBase::kTypeWipeVolume);
    refreshHistoryButton();
}

void WipeDiskViewController::settingsButtonAction() {
    // The standard of a wipe under way or being planned is fixed already.
    if (m_isBegin || m_planning)
        return;
    delete m_levelPanel;
    m_levelPanel = new SetEraserLevelVC(this);
    m_levelPanel->setDelegate(this);
    m_levelPanel->setEraserLevelSelect();
    SlidePanel::slideIn(m_levelPanel);
}

void WipeDiskViewController::closeSetEraserLevelView() {
    if (!m_levelPanel)
        return;
    QPointer<SetEraserLevelVC> panel = m_levelPanel;
    SlidePanel::slideOut(panel, [panel] {
        if (panel)
            panel->deleteLater();
    });
}

void WipeDiskViewController::refreshHistoryButton() {
    m_historyButton->setImageName(
        Images::historyImageSet(PublicUtilities::getUpDataHistoryStr(kHistoryFlag)));
}

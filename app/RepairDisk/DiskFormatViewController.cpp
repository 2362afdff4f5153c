#include "app/RepairDisk/DiskFormatViewController.h"

#include "app/ui/HeaderWidths.h"

#include "app/Job/OperationRunner.h"
#include "app/Job/VolumeChangeOperation.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/ModuleOwner.h"
#include "app/Main/WipeDisk/WholeVolumeWipeJob.h"
#include "app/Main/WipeDisk/WipeViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <utility>

namespace {

QWidget* namedView(const QString& name) {
    auto* view = new QWidget;
    view->setObjectName(name);
    return view;
}

} // namespace

DiskFormatViewController::DiskFormatViewController(ModuleOwner* owner, QWidget* parent)
    : QWidget(parent), m_owner(owner) {
    setObjectName(QStringLiteral("DiskFormatViewController"));
    auto* title = new QLabel(tr("Disk Format"));
    title->setProperty("role", QStringLiteral("title"));
    auto* subtitle =
        new QLabel(tr("Give a volume, a partition or a whole disk a new, empty file system"));
    subtitle->setProperty("role", QStringLiteral("subtitle"));

    m_table = new QTableWidget(0, 5);
    m_table->setObjectName(QStringLiteral("volumeTable"));
    m_table->setHorizontalHeaderLabels(
        {tr("Name"), tr("Type"), tr("Size"), tr("Device"), tr("Mounted at")});
    m_table->verticalHeader()->hide();
    m_table->setShowGrid(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->setColumnWidth(1, 110);
    m_table->setColumnWidth(2, 90);
    m_table->setColumnWidth(3, 110);
    m_table->setColumnWidth(4, 150);
    HeaderWidths::fitTitles(m_table->horizontalHeader());
    connect(m_table, &QTableWidget::cellClicked, this, [this](int row, int) { chooseVolume(row); });

    m_format = new QComboBox;
    m_format->setObjectName(QStringLiteral("formatBox"));
    m_format->addItems(DiskTool::formats());
    m_name = new QLineEdit(tr("Untitled"));
    m_name->setObjectName(QStringLiteral("nameField"));
    m_problem = new QLabel(QStringLiteral(" "));
    m_problem->setObjectName(QStringLiteral("nameProblem"));
    m_problem->setProperty("role", QStringLiteral("muted"));
    m_partitionTable = new QComboBox;
    m_partitionTable->setObjectName(QStringLiteral("tableBox"));
    m_partitionTable->addItem(tr("GPT"), QStringLiteral("gpt"));
    // Old devices and systems that start only from FAT on MBR.
    m_partitionTable->addItem(tr("MBR (DOS)"), QStringLiteral("dos"));
    m_partitionTable->setToolTip(tr("The partition table a whole disk gets"));
    connect(m_format, &QComboBox::currentTextChanged, this, [this] { refreshButton(); });
    connect(m_name, &QLineEdit::textChanged, this, [this] { refreshButton(); });
    auto* form = new QHBoxLayout;
    form->addWidget(new QLabel(tr("File system:")));
    form->addWidget(m_format);
    form->addSpacing(16);
    form->addWidget(new QLabel(tr("Name:")));
    form->addWidget(m_name, 1);
    form->addSpacing(16);
    form->addWidget(new QLabel(tr("Partition table:")));
    form->addWidget(m_partitionTable);

    m_status = new QLabel(tr("Looking for disks and volumes…"));
    m_status->setObjectName(QStringLiteral("selectionLabel"));
    m_formatButton = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Format"),
                                                 QStringLiteral("formatButton"));
    connect(m_formatButton, &ImageButton::clicked, this, &DiskFormatViewController::formatChosen);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_formatButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addWidget(m_table, 1);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addLayout(bottom);

    connect(&m_scan, &QFutureWatcher<QList<DiskObj>>::finished, this, [this] {
        if (std::exchange(m_rescan, false)) {
            m_scan.setFuture(QtConcurrent::run([] { return DiskTool::listDisks(); }));
            return;
        }
        showVolumes(m_scan.result());
    });
    reloadVolumes();
    refreshButton();
}

DiskFormatViewController::~DiskFormatViewController() {
    delete m_runner; // joins a format still under way
    m_scan.waitForFinished();
}

void DiskFormatViewController::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_running && !m_scan.isRunning())
        reloadVolumes();
}

void DiskFormatViewController::reloadVolumes() {
    // A scan under way may have read the disks before the change that asks for this one.
    if (m_scan.isRunning()) {
        m_rescan = true;
        return;
    }
    m_scan.setFuture(QtConcurrent::run([] { return DiskTool::listDisks(); }));
}

void DiskFormatViewController::showVolumes(const QList<DiskObj>& disks) {
    const QString chosenDevice = m_chosen >= 0 ? m_volumes.value(m_chosen).volumePath : QString();
    m_targets = FormatTarget::offered(disks);
    m_volumes.clear();
    for (const FormatTarget& target : m_targets)
        m_volumes << target.volume;
    m_table->setRowCount(int(m_volumes.size()));
    m_chosen = -1;
    for (int row = 0; row < m_volumes.size(); ++row) {
        const VolumeObj& v = m_volumes[row];
        const bool wholeDisk = m_targets[row].kind == FormatTarget::Kind::WholeDisk;
        const QString name = wholeDisk ? tr("Whole disk %1").arg(m_targets[row].disk.name)
                             : v.volumeName.isEmpty() ? v.volumePath.section(QLatin1Char('/'), -1)
                                                      : v.volumeName;
        const QString type = wholeDisk && m_targets[row].blank()  ? tr("blank")
                             : !wholeDisk && v.diskType.isEmpty() ? tr("no file system")
                                                                  : v.diskType;
        const QStringList cells{name, type, v.volumeTotalSize, v.volumePath,
                                v.volumeMountPoint.isEmpty() ? tr("not mounted")
                                                             : v.volumeMountPoint};
        for (int column = 0; column < cells.size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
        if (v.volumePath == chosenDevice)
            m_chosen = row;
    }
    if (m_chosen >= 0)
        m_table->selectRow(m_chosen);
    else
        m_table->clearSelection();
    m_status->setText(m_volumes.isEmpty() ? tr("No disks or volumes were found.")
                                          : QStringLiteral(" "));
    refreshButton();
    emit volumesShown();
}

void DiskFormatViewController::chooseVolume(int row) {
    if (m_running || row < 0 || row >= m_volumes.size())
        return;
    m_chosen = row;
    m_table->selectRow(row);
    m_status->setText(tr("You have selected: %1").arg(m_targets[row].shown()));
    refreshButton();
}

void DiskFormatViewController::refreshButton() {
    const QString why = m_format->currentText().isEmpty()
                            ? tr("No file-system tools are installed.")
                            : DiskTool::whyNameInvalid(m_format->currentText(), m_name->text());
    const QString stored = DiskTool::nameAsStored(m_format->currentText(), m_name->text());
    m_problem->setText(!why.isEmpty()             ? why
                       : stored != m_name->text() ? tr("The volume will be named %1.").arg(stored)
                                                  : QStringLiteral(" "));
    m_formatButton->setEnabled(!m_running && m_chosen >= 0 && why.isEmpty());
    m_partitionTable->setEnabled(!m_running && m_chosen >= 0 &&
                                 m_targets[m_chosen].kind == FormatTarget::Kind::WholeDisk);
}

void DiskFormatViewController::formatChosen() {
    if (m_running || m_chosen < 0 || m_chosen >= m_volumes.size())
        return;
    m_target = m_volumes[m_chosen];
    m_targetFormat = m_format->currentText();
    m_targetName = m_name->text();
    m_targetShown = m_targets[m_chosen].shown();
    const QString table = m_targets[m_chosen].kind == FormatTarget::Kind::WholeDisk
                              ? m_partitionTable->currentData().toString()
                              : QString();
    // Busy from the plan on: the choice cannot change under the question.
    m_running = true;
    refreshButton();
    delete m_runner;
    m_runner = new OperationRunner(this);
    connect(m_runner, &OperationRunner::planned, this, &DiskFormatViewController::formatPlanned);
    connect(m_runner, &OperationRunner::finished, this, &DiskFormatViewController::formatEnded);
    m_runner->plan(std::make_shared<VolumeChangeOperation>(
        DestructiveOperation::Kind::Format, m_target, m_targetFormat, m_targetName, table));
}

void DiskFormatViewController::formatPlanned(const DestructiveOperation::Plan& plan) {
    const VolumeObj& volume = m_target;
    if (!plan.refusals.isEmpty()) {
        m_running = false;
        refreshButton();
        const DestructiveOperation::Refused& refused = plan.refusals.first();
        if (refused.reason == DestructiveOperation::Refusal::SystemVolume &&
            WholeVolumeWipeJob::isStartupVolume(volume)) {
            AttachedWindow::run(WipeViewParts::messageView(
                                    namedView(QStringLiteral("DiskFormatRefusedView")),
                                    QStringLiteral("ic_warning"), tr("Disk Format"),
                                    tr("%1 holds the running system and cannot be formatted.")
                                        .arg(volume.volumeName),
                                    tr("OK"), QStringLiteral("okButton")),
                                this);
            return;
        }
        AttachedWindow::run(WipeViewParts::messageView(
                                namedView(QStringLiteral("DiskFormatFailView")),
                                QStringLiteral("ic_warning"), tr("The volume was not formatted"),
                                refused.detail, tr("OK"), QStringLiteral("okButton")),
                            this);
        emit formatFinished(false, refused.detail);
        return;
    }
    const QString format = m_targetFormat, name = m_targetName;
    const qint64 used = volume.volumeTotalSizeNum - volume.volumeFreeSizeNum;
    // A mounted volume is described as the user sees it; anything else by what the plan found
    // on the device (the partitions of a disk, the file system of a partition).
    const QString question =
        !volume.volumeMountPoint.isEmpty() || plan.consents.isEmpty()
            ? tr("%1 (%2, %3) is a %4 volume named \"%5\" holding %6. Everything on it is lost: "
                 "it becomes an empty %7 volume named \"%8\". This cannot be undone.")
                  .arg(volume.volumePath, volume.volumeTotalSize, volume.volumeMountPoint,
                       volume.diskType, volume.volumeName, VolumeObj::byteToSizeWithByte(used),
                       format, DiskTool::nameAsStored(format, name))
            : tr("%1 The new file system is an empty %2 volume named \"%3\" (%4). This cannot "
                 "be undone.")
                  .arg(plan.consents.first().detail, format, DiskTool::nameAsStored(format, name),
                       volume.volumeTotalSize);
    if (!plan.runnable() ||
        AttachedWindow::run(
            WipeViewParts::messageView(namedView(QStringLiteral("MakeSureDiskFormatView")),
                                       QStringLiteral("ic_warning"),
                                       tr("Format %1?").arg(m_targetShown), question, tr("Format"),
                                       QStringLiteral("continueButton"), tr("Cancel"), true),
            this) != QDialog::Accepted) {
        m_running = false;
        refreshButton();
        return;
    }
    runFormat(plan);
}

void DiskFormatViewController::runFormat(const DestructiveOperation::Plan& plan) {
    if (m_owner)
        m_owner->canChangeType(false);
    auto* progress = namedView(QStringLiteral("DiskFormatProgressView"));
    progress->setFixedSize(480, 200);
    auto* column = FileEraserViewParts::frame(progress, QStringLiteral("nav_disk_format"),
                                              tr("Formatting %1…").arg(m_targetShown));
    auto* bar = FileEraserViewParts::progressBar(0); // the file-system tools tell no progress
    column->addWidget(bar);
    column->addWidget(FileEraserViewParts::paragraph(
        tr("Making a new %1 file system on %2.").arg(m_targetFormat, m_target.volumePath),
        QStringLiteral("progressText")));
    column->addStretch();
    m_progress = progress;
    AttachedWindow* window = AttachedWindow::present(progress, this);
    window->setClosableByEscape(false);
    // The question above was the consent the plan asks for.
    m_runner->run(
        plan, DestructiveOperation::Consents().give(DestructiveOperation::Consent::Irreversible));
}

void DiskFormatViewController::formatEnded(const DestructiveOperation::Report& report) {
    const DestructiveOperation::Item item = report.items.value(0);
    const bool ok = report.failure.isEmpty() && item.outcome == DestructiveOperation::Outcome::Done;
    if (m_progress)
        AttachedWindow::dismiss(m_progress);
    endFormat(ok, ok || report.failure.isEmpty() ? item.detail : report.failure);
}

void DiskFormatViewController::endFormat(bool ok, const QString& message) {
    m_running = false;
    if (m_owner)
        m_owner->canChangeType(true);
    AttachedWindow::run(
        WipeViewParts::messageView(namedView(ok ? QStringLiteral("DiskFormatSuccessView")
                                                : QStringLiteral("DiskFormatFailView")),
                                   ok ? QStringLiteral("ic_done") : QStringLiteral("ic_warning"),
                                   ok ? tr("Formatted") : tr("The volume was not formatted"),
                                   message, tr("OK"), QStringLiteral("okButton")),
        this);
    reloadVolumes();
    emit formatFinished(ok, message);
}

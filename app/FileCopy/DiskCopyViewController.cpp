#include "app/FileCopy/DiskCopyViewController.h"

#include "app/FileCopy/DiskCopySummary.h"
#include "app/Job/CopyFilesOperation.h"
#include "app/Job/OperationRunner.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/WipeDisk/VolumeObj.h"
#include "app/Main/WipeDisk/WipeViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kPathRole = Qt::UserRole + 1, kFilledRole = Qt::UserRole + 2;

QWidget* namedView(const QString& name) {
    auto* view = new QWidget;
    view->setObjectName(name);
    return view;
}

QString rate(double bytesPerSecond) {
    return VolumeObj::byteToSizeWithByte(qint64(bytesPerSecond)) + QStringLiteral("/s");
}

} // namespace

DiskCopyViewController::DiskCopyViewController(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DiskCopyViewController"));
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("nav_disk_tool"), tr("Copy"));
    setFixedSize(680, 580); // wider than the other attached views: two paths and a tree

    auto pathRow = [this, layout](const QString& label, QLineEdit*& field, const QString& name,
                                  auto chosen) {
        field = new QLineEdit;
        field->setObjectName(name);
        auto* choose = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Choose…"),
                                                   name + QStringLiteral("Choose"));
        connect(choose, &ImageButton::clicked, this, [this, field, chosen] {
            const QString folder =
                QFileDialog::getExistingDirectory(this, QString(), field->text());
            if (!folder.isEmpty())
                chosen(folder);
        });
        auto* row = new QHBoxLayout;
        auto* text = new QLabel(label);
        text->setMinimumWidth(90);
        row->addWidget(text);
        row->addWidget(field, 1);
        row->addWidget(choose);
        layout->addLayout(row);
    };
    pathRow(tr("From:"), m_source, QStringLiteral("sourceField"),
            [this](const QString& folder) { scanSource(folder); });
    connect(m_source, &QLineEdit::returnPressed, this, [this] { scanSource(m_source->text()); });

    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("sourceTree"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({tr("Name"), tr("Size")});
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->resizeSection(1, 100);
    connect(m_tree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { fill(item); });
    layout->addWidget(m_tree, 1);

    pathRow(tr("To folder:"), m_destination, QStringLiteral("destinationField"),
            [this](const QString& folder) { setDestination(folder); });
    m_verify = new QCheckBox(tr("Verify: read every copy back from the disk and compare it"));
    m_verify->setObjectName(QStringLiteral("verifyBox"));
    m_verify->setChecked(true);
    layout->addWidget(m_verify);

    m_bar = FileEraserViewParts::progressBar(1000);
    m_bar->hide();
    m_progressText =
        FileEraserViewParts::paragraph(QStringLiteral(" "), QStringLiteral("progressText"));
    m_report = FileEraserViewParts::paragraph(QStringLiteral(" "), QStringLiteral("reportText"));
    m_report->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_bar);
    layout->addWidget(m_progressText);
    layout->addWidget(m_report);

    m_close = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Close"),
                                          QStringLiteral("closeButton"));
    m_cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cancel"),
                                           QStringLiteral("cancelButton"));
    m_copy = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Copy"),
                                         QStringLiteral("copyButton"));
    m_cancel->hide();
    connect(m_close, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Accepted); });
    connect(m_cancel, &ImageButton::clicked, this, &DiskCopyViewController::cancelCopy);
    connect(m_copy, &ImageButton::clicked, this, &DiskCopyViewController::startCopy);
    layout->addLayout(FileEraserViewParts::buttonRow({m_close, m_cancel, m_copy}));
}

DiskCopyViewController::~DiskCopyViewController() {
    // A question still waiting for this window is dropped (the file is skipped); the stopped
    // copy then ends and the runner joins it.
    delete m_questions;
    delete m_runner;
}

void DiskCopyViewController::scanSource(const QString& source) {
    m_source->setText(source);
    m_tree->clear();
    const QFileInfo info(source);
    if (!info.isDir()) {
        m_report->setText(tr("%1 is not a folder.").arg(source));
        return;
    }
    auto* top = new QTreeWidgetItem(m_tree);
    top->setText(0, info.fileName().isEmpty() ? source : info.fileName());
    top->setData(0, kPathRole, QDir::cleanPath(info.absoluteFilePath()));
    top->setFlags(top->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
    top->setCheckState(0, Qt::Checked);
    top->setText(1, VolumeObj::byteToSizeWithByte(
                        qint64(DiskCopyJob::bytesUnder({info.absoluteFilePath()}))));
    fill(top);
    top->setExpanded(true);
    m_report->setText(QStringLiteral(" "));
}

void DiskCopyViewController::fill(QTreeWidgetItem* item) {
    if (item->data(0, kFilledRole).toBool())
        return;
    item->setData(0, kFilledRole, true);
    qDeleteAll(item->takeChildren());
    const QString folder = item->data(0, kPathRole).toString();
    const Qt::CheckState state = item->checkState(0);
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDir::DirsFirst | QDir::Name);
    for (const QFileInfo& entry : entries) {
        auto* child = new QTreeWidgetItem(item);
        child->setText(0, entry.fileName());
        child->setData(0, kPathRole, entry.absoluteFilePath());
        child->setFlags(child->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
        const Qt::CheckState tick = state == Qt::Unchecked ? Qt::Unchecked : Qt::Checked;
        child->setCheckState(0, tick);
        child->setText(1, VolumeObj::byteToSizeWithByte(
                              qint64(DiskCopyJob::bytesUnder({entry.absoluteFilePath()}))));
        if (entry.isDir() && !entry.isSymLink()) {
            // A placeholder, so that the folder can be opened; it carries the folder's tick, or
            // the folder's own state would read as unticked.
            auto* placeholder = new QTreeWidgetItem(child);
            placeholder->setCheckState(0, tick);
        } else {
            child->setData(0, kFilledRole, true);
        }
    }
}

void DiskCopyViewController::setDestination(const QString& destination) {
    m_destination->setText(destination);
}

void DiskCopyViewController::collect(QTreeWidgetItem* item, QStringList& paths) const {
    const QString path = item->data(0, kPathRole).toString();
    if (item->checkState(0) == Qt::Checked || !item->data(0, kFilledRole).toBool()) {
        if (item->checkState(0) == Qt::Checked && !path.isEmpty())
            paths << path;
        return;
    }
    if (item->checkState(0) == Qt::Unchecked)
        return;
    for (int i = 0; i < item->childCount(); ++i)
        collect(item->child(i), paths);
}

QStringList DiskCopyViewController::chosenPaths() const {
    QStringList paths;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        collect(m_tree->topLevelItem(i), paths);
    return paths;
}

DiskCopyJob::Existing DiskCopyViewController::askExisting(const QString& destination) {
    if (m_existingForAll)
        return *m_existingForAll;
    // Answered after a cancel (the worker asked before it saw the stop): nothing more to ask.
    if (m_cancelled)
        return DiskCopyJob::Existing::Skip;
    auto* view = namedView(QStringLiteral("CopyExistingView"));
    auto* cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cancel Copy"),
                                               QStringLiteral("cancelCopyButton"));
    auto* skip = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Skip"),
                                             QStringLiteral("skipButton"));
    auto* both = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Keep both"),
                                             QStringLiteral("keepBothButton"));
    auto* replace = FileEraserViewParts::button(QStringLiteral("btn_danger"), tr("Replace"),
                                                QStringLiteral("replaceButton"));
    view->setMinimumWidth(560);
    auto* column = FileEraserViewParts::frame(view, QStringLiteral("ic_warning"),
                                              tr("This file is already there"));
    column->addWidget(FileEraserViewParts::paragraph(
        tr("%1 exists. Replace it with the copy, keep both (the copy gets a new name), or skip "
           "this file?")
            .arg(destination),
        QStringLiteral("messageText")));
    auto* forAll = new QCheckBox(tr("Do the same for every other file already there"));
    forAll->setObjectName(QStringLiteral("applyToAllBox"));
    column->addWidget(forAll);
    column->addStretch();
    column->addLayout(FileEraserViewParts::buttonRow({cancel, skip, both, replace}));
    DiskCopyJob::Existing choice = DiskCopyJob::Existing::Skip;
    connect(both, &ImageButton::clicked, view, [view, &choice] {
        choice = DiskCopyJob::Existing::KeepBoth;
        AttachedWindow::dismiss(view);
    });
    connect(replace, &ImageButton::clicked, view, [view, &choice] {
        choice = DiskCopyJob::Existing::Replace;
        AttachedWindow::dismiss(view);
    });
    connect(skip, &ImageButton::clicked, view, [view] { AttachedWindow::dismiss(view); });
    connect(cancel, &ImageButton::clicked, view,
            [view] { AttachedWindow::dismiss(view, QDialog::Rejected); });
    // The view goes with its window: the tick is kept as it changes.
    bool applyToAll = false;
    connect(forAll, &QCheckBox::toggled, view, [&applyToAll](bool on) { applyToAll = on; });
    // Escape and Cancel Copy end the copy: this file is skipped and no other one is asked.
    if (AttachedWindow::run(view, this, true) != QDialog::Accepted) {
        cancelCopy();
        return DiskCopyJob::Existing::Skip;
    }
    if (applyToAll)
        m_existingForAll = choice;
    return choice;
}

void DiskCopyViewController::startCopy() {
    if (m_copying)
        return;
    const QStringList sources = chosenPaths();
    const QString destination = m_destination->text().trimmed();
    if (sources.isEmpty() || destination.isEmpty()) {
        m_report->setText(sources.isEmpty() ? tr("Tick what to copy.")
                                            : tr("Choose the folder to copy to."));
        return;
    }
    DiskCopyJob::Options options;
    options.verify = m_verify->isChecked();
    options.existing = DiskCopyJob::Existing::Ask;
    m_existingForAll.reset();
    m_copying = true;
    m_cancelled = false;
    m_copy->setEnabled(false);
    m_close->setEnabled(false);
    m_cancel->show();
    m_cancel->setEnabled(true);
    m_bar->show();
    m_bar->setValue(0);
    m_report->setText(QStringLiteral(" "));
    m_progressText->setText(tr("Checking the free space…"));

    if (!m_questions)
        m_questions = new QObject;
    m_operation = std::make_shared<CopyFilesOperation>(sources, destination, options);
    // Asked on the worker; answered here, the worker waiting for the answer.
    m_operation->setAskExisting(
        [this, questions = QPointer<QObject>(m_questions)](const QString& path) {
            DiskCopyJob::Existing choice = DiskCopyJob::Existing::Skip;
            if (questions)
                QMetaObject::invokeMethod(
                    questions, [this, path, &choice] { choice = askExisting(path); },
                    Qt::BlockingQueuedConnection);
            return choice;
        });
    delete m_runner;
    m_runner = new OperationRunner(this);
    connect(m_runner, &OperationRunner::planned, this, &DiskCopyViewController::copyPlanned);
    connect(m_runner, &OperationRunner::progress, this, &DiskCopyViewController::showProgress);
    connect(m_runner, &OperationRunner::finished, this,
            [this] { showReport(m_operation->copyReport()); });
    m_runner->plan(m_operation);
}

void DiskCopyViewController::copyPlanned(const DestructiveOperation::Plan& plan) {
    if (m_cancelled || !plan.refusals.isEmpty()) {
        DiskCopyJob::Report refused;
        refused.cancelled = m_cancelled;
        QStringList why;
        for (const DestructiveOperation::Refused& refusal : plan.refusals)
            why << refusal.detail;
        refused.refusal = m_cancelled ? tr("cancelled") : why.join(QStringLiteral("; "));
        showReport(refused);
        return;
    }
    m_clock.start();
    // Files in the way are asked about one by one, so the run needs no consent beforehand.
    m_runner->run(plan, DestructiveOperation::Consents());
}

void DiskCopyViewController::cancelCopy() {
    if (!m_copying)
        return;
    m_cancelled = true;
    m_cancel->setEnabled(false);
    m_progressText->setText(
        tr("Stopping: the partial files and the empty folders this copy made are removed…"));
    m_runner->stop();
}

void DiskCopyViewController::showProgress(const DestructiveOperation::Progress& p) {
    if (!m_copying || m_cancelled)
        return;
    const quint64 done = quint64(qMax<qint64>(0, p.done));
    const quint64 total = quint64(qMax<qint64>(0, p.total));
    m_bar->setValue(total ? int(1000 * done / total) : 1000);
    QString text = tr("%1 of %2")
                       .arg(VolumeObj::byteToSizeWithByte(qint64(done)),
                            VolumeObj::byteToSizeWithByte(qint64(total)));
    const double seconds = m_clock.isValid() ? m_clock.elapsed() / 1000.0 : 0;
    const double bytesPerSecond = seconds > 0.2 ? done / seconds : 0;
    if (bytesPerSecond > 0) {
        text += QStringLiteral(" · ") + rate(bytesPerSecond);
        text += QStringLiteral(" · ") +
                tr("%1 s left").arg(qint64((total - qMin(total, done)) / bytesPerSecond));
    }
    if (!p.subject.isEmpty())
        text += QStringLiteral("\n") + p.subject;
    m_progressText->setText(text);
}

void DiskCopyViewController::showReport(const DiskCopyJob::Report& report) {
    m_copying = false;
    m_cancel->hide();
    m_copy->setEnabled(true);
    m_close->setEnabled(true);
    m_bar->setValue(report.ok() ? 1000 : m_bar->value());
    // The same words as at the command line, from the report alone: the verify box may have
    // been changed while the copy ran.
    const auto size = [](quint64 bytes) { return VolumeObj::byteToSizeWithByte(qint64(bytes)); };
    const QString cleanedUp = DiskCopySummary::cleanUp(report, size);
    QString text;
    if (!report.refusal.isEmpty()) {
        text = tr("Nothing was copied: %1.").arg(report.refusal);
    } else {
        text = DiskCopySummary::counts(report, size);
        for (qsizetype i = 0; i < report.failed.size() && i < 5; ++i)
            text += QStringLiteral("\n%1: %2").arg(report.failed[i].path, report.failed[i].reason);
    }
    if (!cleanedUp.isEmpty())
        text += QStringLiteral("\n") + cleanedUp;
    m_progressText->setText(QStringLiteral(" "));
    m_report->setText(text);
    emit copyFinished(report);
}

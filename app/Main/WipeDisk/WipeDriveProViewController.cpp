#include "app/Main/WipeDisk/WipeDriveProViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/WipeDisk/WipeViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 560; // room for "Pass 2 of 4 · 120.00 MB of 512.00 MB · …" on one line
constexpr int kBarSteps = 1000;
} // namespace

WipeDriveProViewController::WipeDriveProViewController(const DestructiveOperation::Plan& plan,
                                                       QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("WipeDriveProViewController"));
    auto* layout = FileEraserViewParts::frame(
        this, QStringLiteral("nav_erase_drive"),
        plan.items.size() == 1 ? tr("Erasing the drive")
                               : tr("Erasing %n drives", nullptr, int(plan.items.size())));
    setFixedWidth(kWidth);
    layout->addWidget(FileEraserViewParts::paragraph(WipeViewParts::driveMethod(plan),
                                                     QStringLiteral("methodText")));
    for (const QString& device : plan.items) {
        layout->addSpacing(6);
        auto* name = new QLabel(device);
        name->setObjectName(QStringLiteral("driveName"));
        name->setTextFormat(Qt::PlainText);
        Row row{
            device, FileEraserViewParts::progressBar(kBarSteps),
            FileEraserViewParts::paragraph(DriveWipeMeter().text(), QStringLiteral("driveText")),
            DriveWipeMeter()};
        row.bar->setObjectName(QStringLiteral("driveBar"));
        layout->addWidget(name);
        layout->addWidget(row.bar);
        layout->addWidget(row.text);
        m_rows << row;
    }
    m_stopping = FileEraserViewParts::paragraph(tr("Stopping after the chunk under way…"),
                                                QStringLiteral("stopping"));
    m_stopping->hide();
    m_stop = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Stop"),
                                         QStringLiteral("stopButton"));
    connect(m_stop, &ImageButton::clicked, this, [this] {
        m_stop->setEnabled(false);
        m_stopping->show();
        emit stopRequested();
    });
    layout->addWidget(m_stopping);
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({m_stop}));
    m_clock.start();
}

void WipeDriveProViewController::setProgress(const DestructiveOperation::Progress& progress) {
    for (Row& row : m_rows) {
        if (row.device != progress.subject)
            continue;
        row.meter.add(progress, m_clock.elapsed());
        row.bar->setValue(int(row.meter.fraction() * kBarSteps));
        row.text->setText(row.meter.text());
    }
}

void WipeDriveProViewController::closeWindow() {
    AttachedWindow::dismiss(this);
}

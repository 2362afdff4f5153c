#include "app/Main/WipeDisk/DrivePlanPreview.h"

#include "app/Job/OperationRunner.h"
#include "app/Job/WipeDriveOperation.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/WipeDisk/WipeViewParts.h"

#include <QLabel>
#include <QVBoxLayout>
#include <memory>

DrivePlanPreview::DrivePlanPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("drivePlanPreview"));
    m_runner = new OperationRunner(this);
    m_method = FileEraserViewParts::paragraph(QString(), QStringLiteral("methodLabel"));
    m_lines = new QVBoxLayout;
    m_lines->setSpacing(4);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(m_method);
    column->addLayout(m_lines);
    connect(m_runner, &OperationRunner::planned, this,
            [this](const DestructiveOperation::Plan& plan) {
                if (m_planning != m_devices) { // the choice changed meanwhile
                    preview(m_devices);
                    return;
                }
                showPlan(plan);
            });
    hide();
}

void DrivePlanPreview::preview(const QStringList& devices) {
    m_devices = devices;
    if (devices.isEmpty()) {
        clearLines();
        hide();
        return;
    }
    if (m_runner->isBusy())
        return; // planned when the plan under way is in
    m_planning = devices;
    m_runner->plan(std::make_shared<WipeDriveOperation>(devices, WipeDriveOperation::Options{}));
}

void DrivePlanPreview::clearLines() {
    while (QLayoutItem* item = m_lines->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

void DrivePlanPreview::showPlan(const DestructiveOperation::Plan& plan) {
    clearLines();
    if (m_devices.isEmpty())
        return;
    m_method->setText(plan.level > 0 ? WipeViewParts::driveMethod(plan) : QString());
    m_method->setVisible(plan.level > 0);
    for (const DestructiveOperation::Refused& refused : plan.refusals)
        m_lines->addWidget(WipeViewParts::refusalLine(refused));
    for (const DestructiveOperation::Note& note : plan.notes)
        if (note.warning != DestructiveOperation::Warning::WipeMethod) // shown as the method
            m_lines->addWidget(WipeViewParts::noteLine(note));
    setVisible(true);
    emit shown(plan);
}

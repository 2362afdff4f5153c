#include "app/Main/WipeDisk/WipeFreeSpaceProViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

WipeFreeSpaceProViewController::WipeFreeSpaceProViewController(const QString& title,
                                                               const QString& standardName,
                                                               QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("WipeFreeSpaceProViewController"));
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("nav_erase_freespace"), title);
    m_standard = FileEraserViewParts::paragraph(tr("Standard: %1").arg(standardName),
                                                QStringLiteral("eraserTypeLabel"));
    m_bar = FileEraserViewParts::progressBar();
    m_bar->setValue(2);
    m_text = FileEraserViewParts::paragraph(tr("Preparing…"), QStringLiteral("progressText"));
    m_cancelling = FileEraserViewParts::paragraph(
        tr("Stopping: the files written so far are being removed…"), QStringLiteral("cancelling"));
    m_cancelling->hide();
    m_cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cancel"),
                                           QStringLiteral("cancelButton"));
    connect(m_cancel, &ImageButton::clicked, this, [this] {
        m_cancel->setEnabled(false);
        m_cancelling->show();
        emit cancelRequested();
    });
    layout->addWidget(m_standard);
    layout->addSpacing(6);
    layout->addWidget(m_bar);
    layout->addWidget(m_text);
    layout->addWidget(m_cancelling);
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({m_cancel}));
}

void WipeFreeSpaceProViewController::setRemoveProgress(const QString& text, double percent) {
    m_bar->setValue(qBound(2, int(percent), 100));
    m_text->setText(text);
}

void WipeFreeSpaceProViewController::closeWindow() {
    AttachedWindow::dismiss(this);
}

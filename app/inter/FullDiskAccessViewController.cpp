#include "app/inter/FullDiskAccessViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/inter/FullDiskAccessAuthorizer.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QVBoxLayout>

FullDiskAccessViewController::FullDiskAccessViewController(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FullDiskAccessViewController"));
    setFixedWidth(480);
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("ic_warning"),
                                              tr("The browser data cannot be read"));
    layout->addWidget(FileEraserViewParts::paragraph(
        FullDiskAccessAuthorizer::requestAuthorizationText(), QStringLiteral("explanationText")));
    m_ok = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("OK"),
                                       QStringLiteral("okButton"));
    connect(m_ok, &ImageButton::clicked, this, &FullDiskAccessViewController::openSetView);
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({m_ok}));
}

void FullDiskAccessViewController::openSetView() {
    closeWindow();
}

void FullDiskAccessViewController::closeWindow() {
    AttachedWindow::dismiss(this);
}

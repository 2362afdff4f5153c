#include "app/Main/FileEraser/FileEraserNtfsNotice.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QVBoxLayout>

FileEraserNtfsNotice::FileEraserNtfsNotice(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FileEraserNtfsNotice"));
    setWindowTitle(tr("NTFS Volume"));
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("ic_warning"),
                                              tr("Items on NTFS volumes cannot be added"));
    layout->addWidget(FileEraserViewParts::paragraph(
        tr("Files on NTFS volumes cannot be overwritten reliably by this program, so they "
           "were not added to the list and nothing on that volume was changed."),
        QStringLiteral("noticeText")));
    m_ok = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("OK"),
                                       QStringLiteral("okButton"));
    connect(m_ok, &ImageButton::clicked, this, [this] { AttachedWindow::dismiss(this); });
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({m_ok}));
}

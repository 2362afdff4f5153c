#include "app/Main/FileEraser/FileEraserSuccessViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QVBoxLayout>

FileEraserSuccessViewController::FileEraserSuccessViewController(int erasedCount,
                                                                 const QString& copyOnWriteNote,
                                                                 const QString& copyOnWriteVolume,
                                                                 QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("FileEraserSuccessViewController"));
    setWindowTitle(tr("Erasure Complete"));
    auto* layout =
        FileEraserViewParts::frame(this, QStringLiteral("ic_done"), tr("Erasure complete"));
    m_message = FileEraserViewParts::paragraph(
        erasedCount == 1 ? tr("The item was overwritten and removed. It cannot be recovered.")
                         : tr("All %n items were overwritten and removed. They cannot be "
                              "recovered.",
                              nullptr, erasedCount),
        QStringLiteral("resultMessage"));
    layout->addWidget(m_message);
    if (!copyOnWriteNote.isEmpty())
        layout->addWidget(FileEraserViewParts::warningLine(copyOnWriteNote));
    layout->addWidget(FileEraserViewParts::paragraph(tr("The erasure is recorded in the history."),
                                                     QStringLiteral("historyNote")));
    m_ok = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("OK"),
                                       QStringLiteral("okButton"));
    connect(m_ok, &ImageButton::clicked, this, [this] { AttachedWindow::dismiss(this); });
    layout->addSpacing(12);
    if (!copyOnWriteVolume.isEmpty()) {
        m_wipeFreeSpace = FileEraserViewParts::button(QStringLiteral("btn_sec"),
                                                      tr("Erase the free space of this volume now"),
                                                      QStringLiteral("wipeFreeSpaceButton"));
        m_wipeFreeSpace->setToolTip(copyOnWriteVolume);
        connect(m_wipeFreeSpace, &ImageButton::clicked, this, [this, copyOnWriteVolume] {
            emit freeSpaceWipeChosen(copyOnWriteVolume);
            AttachedWindow::dismiss(this);
        });
        // A row of its own: the text is too long to share one with OK.
        layout->addLayout(FileEraserViewParts::buttonRow({m_wipeFreeSpace}));
    }
    layout->addLayout(FileEraserViewParts::buttonRow({m_ok}));
}

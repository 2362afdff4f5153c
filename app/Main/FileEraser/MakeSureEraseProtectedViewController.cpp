#include "app/Main/FileEraser/MakeSureEraseProtectedViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QVBoxLayout>

MakeSureEraseProtectedViewController::MakeSureEraseProtectedViewController(
    const QStringList& reasons, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("MakeSureEraseProtectedViewController"));
    setWindowTitle(tr("Erase Files"));
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("ic_warning"),
                                              tr("Erase these folders too?"));
    m_message = FileEraserViewParts::paragraph(
        tr("The selection holds folders that are rarely meant to be erased:"),
        QStringLiteral("protectedMessage"));
    layout->addWidget(m_message);
    for (const QString& reason : reasons) {
        QWidget* line = FileEraserViewParts::warningLine(reason);
        line->setObjectName(QStringLiteral("protectedItem"));
        layout->addWidget(line);
    }
    layout->addWidget(FileEraserViewParts::paragraph(
        tr("Uncheck them in the list to erase only the rest."), QStringLiteral("protectedHint")));
    m_cancel = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Cancel"),
                                           QStringLiteral("cancelButton"));
    m_erase = FileEraserViewParts::button(QStringLiteral("btn_danger"), tr("Erase Them Too"),
                                          QStringLiteral("eraseButton"));
    connect(m_cancel, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Rejected); });
    connect(m_erase, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Accepted); });
    layout->addSpacing(14);
    layout->addLayout(FileEraserViewParts::buttonRow({m_erase, m_cancel}));
}

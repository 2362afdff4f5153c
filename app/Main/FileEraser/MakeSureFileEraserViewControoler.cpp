#include "app/Main/FileEraser/MakeSureFileEraserViewControoler.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

MakeSureFileEraserViewControoler::MakeSureFileEraserViewControoler(int itemCount,
                                                                   const QString& standardName,
                                                                   const QStringList& warnings,
                                                                   QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("MakeSureFileEraserViewControoler"));
    setWindowTitle(tr("Erase Files"));
    const QString what =
        itemCount == 1 ? tr("the selected item") : tr("the %n selected items", nullptr, itemCount);
    m_message = new QLabel(tr("Korvane Data Eraser will overwrite %1 with the standard "
                              "<b>%2</b> and then remove them. Folders are erased with "
                              "everything inside them.")
                               .arg(what, standardName.toHtmlEscaped()));
    m_message->setObjectName(QStringLiteral("confirmMessage"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::RichText);

    auto* warning = FileEraserViewParts::warningLine(
        tr("This cannot be undone: erased items cannot be recovered by any means."));

    m_cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cancel"),
                                           QStringLiteral("cancelButton"));
    m_erase = FileEraserViewParts::button(QStringLiteral("btn_danger"), tr("Erase"),
                                          QStringLiteral("eraseButton"));
    connect(m_cancel, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Rejected); });
    connect(m_erase, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Accepted); });

    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("ic_warning"),
                                              tr("Erase %n items?", nullptr, itemCount));
    layout->addWidget(m_message);
    layout->addSpacing(4);
    layout->addWidget(warning);
    for (const QString& text : warnings) {
        QWidget* line = FileEraserViewParts::warningLine(text);
        line->setObjectName(QStringLiteral("volumeWarning"));
        layout->addWidget(line);
    }
    layout->addSpacing(14);
    layout->addLayout(FileEraserViewParts::buttonRow({m_cancel, m_erase}));
}

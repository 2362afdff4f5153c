#include "app/inter/CloseBrowerViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

CloseBrowerViewController::CloseBrowerViewController(const QStringList& running, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("CloseBrowerViewController"));
    setFixedWidth(480);
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("nav_internet_cleaner"),
                                              tr("Close the browsers first"));
    layout->addWidget(FileEraserViewParts::paragraph(
        tr("These browsers are running. Their data cannot be removed while they use it, and "
           "they would write it again. Close them now? Unsaved work in them is lost."),
        QStringLiteral("explanationText")));
    auto* list = FileEraserViewParts::paragraph(running.join(QLatin1Char('\n')),
                                                QStringLiteral("runningText"));
    list->setTextFormat(Qt::PlainText);
    layout->addWidget(list);
    m_cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cancel"),
                                           QStringLiteral("cancelButton"));
    m_close = FileEraserViewParts::button(QStringLiteral("btn_danger"), tr("Close and clean"),
                                          QStringLiteral("closeButton"));
    connect(m_cancel, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Rejected); });
    connect(m_close, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Accepted); });
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({m_cancel, m_close}));
}

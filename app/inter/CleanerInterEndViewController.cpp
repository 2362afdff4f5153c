#include "app/inter/CleanerInterEndViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

CleanerInterEndViewController::CleanerInterEndViewController(const BrowserCleaner::Summary& summary,
                                                             QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("CleanerInterEndViewController"));
    setFixedWidth(520);
    const bool all = summary.allCleaned();
    auto* layout = FileEraserViewParts::frame(
        this, all ? QStringLiteral("ic_done") : QStringLiteral("ic_failed"),
        all ? tr("Cleaning finished") : tr("Some data was not removed"));
    QString message = tr("%n kind(s) of data removed.", nullptr, summary.cleanedKinds);
    if (summary.failedKinds > 0)
        message += QLatin1Char(' ') +
                   tr("%n kind(s) could not be removed completely and keep their count.", nullptr,
                      summary.failedKinds);
    if (!summary.running.isEmpty())
        message += QLatin1Char(' ') + tr("Left alone because they are running: %1.")
                                          .arg(summary.running.join(QStringLiteral(", ")));
    m_message = FileEraserViewParts::paragraph(message, QStringLiteral("messageText"));
    m_message->setTextFormat(Qt::PlainText);
    layout->addWidget(m_message);
    m_problems = FileEraserViewParts::paragraph(summary.problems.join(QLatin1Char('\n')),
                                                QStringLiteral("problemsText"));
    m_problems->setTextFormat(Qt::PlainText);
    m_problems->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (!summary.problems.isEmpty()) {
        auto* scroll = new QScrollArea;
        scroll->setWidget(m_problems);
        scroll->setWidgetResizable(true);
        scroll->setMaximumHeight(160);
        scroll->setFrameShape(QFrame::NoFrame);
        layout->addWidget(scroll);
    }
    m_ok = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("OK"),
                                       QStringLiteral("okButton"));
    connect(m_ok, &ImageButton::clicked, this, [this] {
        emit cleanEnd();
        AttachedWindow::dismiss(this);
    });
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({m_ok}));
}

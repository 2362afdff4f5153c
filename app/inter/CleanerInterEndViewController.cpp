#include "app/inter/CleanerInterEndViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLabel* listLabel(const QString& heading, const QStringList& lines, const QString& name) {
    QLabel* label = FileEraserViewParts::paragraph(
        lines.isEmpty() ? QString() : heading + QLatin1Char('\n') + lines.join(QLatin1Char('\n')),
        name);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setVisible(!lines.isEmpty());
    return label;
}

} // namespace

CleanerInterEndViewController::CleanerInterEndViewController(const BrowserCleaner::Summary& summary,
                                                             QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("CleanerInterEndViewController"));
    const bool all = summary.allCleaned();
    auto* layout = FileEraserViewParts::frame(
        this, all ? QStringLiteral("ic_done") : QStringLiteral("ic_failed"),
        all ? tr("Cleaning finished") : tr("Some data was not removed"));
    setFixedWidth(520);
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

    // Paths can be long and many: the two lists share one scrolling area.
    m_problems = listLabel(tr("Not removed:"), summary.problems, QStringLiteral("problemsText"));
    m_refused = listLabel(tr("Not followed, left as they are:"), summary.refused,
                          QStringLiteral("refusedText"));
    auto* lists = new QWidget;
    auto* column = new QVBoxLayout(lists);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_problems);
    column->addWidget(m_refused);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("listsArea"));
    scroll->setWidget(lists);
    scroll->setWidgetResizable(true);
    // As tall as the wrapped lines need, up to a limit: the view keeps its size hint short.
    const QMargins margins = layout->contentsMargins();
    const int textWidth = width() - margins.left() - margins.right();
    int height = 0;
    for (QLabel* label : {m_problems, m_refused})
        if (!label->isHidden())
            height += label->heightForWidth(textWidth) + column->spacing();
    scroll->setFixedHeight(std::min(180, height));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setVisible(!summary.problems.isEmpty() || !summary.refused.isEmpty());
    layout->addWidget(scroll);
    m_note = FileEraserViewParts::paragraph(BrowserCleaner::freeSpaceNote(summary),
                                            QStringLiteral("noteText"));
    m_note->setTextFormat(Qt::PlainText);
    layout->addWidget(m_note);

    m_ok = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("OK"),
                                       QStringLiteral("okButton"));
    connect(m_ok, &ImageButton::clicked, this, [this] {
        emit cleanEnd();
        AttachedWindow::dismiss(this);
    });
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({m_ok}));
}

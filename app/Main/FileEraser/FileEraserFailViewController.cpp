#include "app/Main/FileEraser/FileEraserFailViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QLocale>
#include <QScrollArea>
#include <QVBoxLayout>

QString FileEraserFailViewController::cancelledCounts(const EraseReport::FileCounts& files) {
    return EraseReport::cancelledCountsText(files);
}

FileEraserFailViewController::FileEraserFailViewController(int erasedCount, int failedCount,
                                                           bool cancelled,
                                                           const QStringList& problems,
                                                           const EraseReport::FileCounts& files,
                                                           QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("FileEraserFailViewController"));
    setWindowTitle(tr("Erasure Not Complete"));
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("ic_failed"),
                                              tr("Some items were not erased"));
    QString text;
    if (failedCount == 0)
        text = tr("The selected items are gone, but some of what they held could not be "
                  "overwritten.");
    else if (cancelled)
        text = cancelledCounts(files);
    else
        text =
            tr("%1 of %n items could not be erased completely and are still on the disk:", nullptr,
               erasedCount + failedCount)
                .arg(failedCount);
    m_message = FileEraserViewParts::paragraph(text, QStringLiteral("resultMessage"));
    layout->addWidget(m_message);
    // The paths can be long and many: the list scrolls rather than growing the window.
    m_problems = new QLabel(problems.join(QLatin1Char('\n')));
    m_problems->setObjectName(QStringLiteral("problemList"));
    m_problems->setTextFormat(Qt::PlainText);
    m_problems->setWordWrap(true);
    m_problems->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* scroll = new QScrollArea;
    scroll->setWidget(m_problems);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setMaximumHeight(150);
    scroll->setVisible(!problems.isEmpty());
    layout->addWidget(scroll);
    m_cancelNotice = new QLabel(
        tr("The erasure was cancelled: the file under way was finished to the end of its pass "
           "and removed, files not reached were left untouched. What is still on the disk stays "
           "in the list, so that you can erase it again."));
    m_cancelNotice->setObjectName(QStringLiteral("cancelNotice"));
    m_cancelNotice->setWordWrap(true);
    m_cancelNotice->setVisible(cancelled);
    layout->addWidget(m_cancelNotice);
    layout->addWidget(FileEraserViewParts::paragraph(
        cancelled ? tr("Each item is recorded in the history with what was done to it.")
                  : tr("Each item is recorded in the history as Erased or Failed."),
        QStringLiteral("historyNote")));
    m_ok = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("OK"),
                                       QStringLiteral("okButton"));
    connect(m_ok, &ImageButton::clicked, this, [this] { AttachedWindow::dismiss(this); });
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({m_ok}));
}

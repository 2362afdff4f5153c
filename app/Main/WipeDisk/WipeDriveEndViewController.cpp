#include "app/Main/WipeDisk/WipeDriveEndViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/WipeDisk/WipeViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 560;
using Outcome = DestructiveOperation::Outcome;

QWidget* driveLine(const DestructiveOperation::Item& item) {
    auto* line = new QWidget;
    line->setObjectName(QStringLiteral("driveResult"));
    line->setProperty("outcome", int(item.outcome));
    auto* icon = new QLabel;
    const bool done = item.outcome == Outcome::Done;
    icon->setPixmap(Images::pixmap(done ? QStringLiteral("ic_done") : QStringLiteral("ic_failed"),
                                   QSize(18, 18), line->devicePixelRatioF()));
    // The drive and its outcome, and under it the job's own words.
    auto* title = new QLabel(QStringLiteral("%1: %2").arg(
        item.subject, WipeDriveEndViewController::outcomeText(item.outcome)));
    title->setObjectName(QStringLiteral("driveResultTitle"));
    title->setTextFormat(Qt::PlainText);
    auto* detail = FileEraserViewParts::paragraph(item.detail, QStringLiteral("driveResultText"));
    detail->setTextFormat(Qt::PlainText);
    detail->setVisible(!item.detail.isEmpty());
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(title);
    text->addWidget(detail);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(text, 1);
    return line;
}
} // namespace

QString WipeDriveEndViewController::outcomeText(Outcome outcome) {
    switch (outcome) {
    case Outcome::Done:
        return tr("Erased");
    case Outcome::Failed:
        return tr("Failed");
    case Outcome::Refused:
        return tr("Refused");
    case Outcome::Stopped:
        return tr("Stopped");
    case Outcome::NotReached:
        return tr("Not begun");
    case Outcome::Skipped:
        return tr("Left alone");
    }
    return {};
}

WipeDriveEndViewController::WipeDriveEndViewController(const DestructiveOperation::Report& report,
                                                       const QString& historyProblem,
                                                       QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("WipeDriveEndViewController"));
    const bool ok = report.ok();
    auto* layout = FileEraserViewParts::frame(
        this, ok ? QStringLiteral("ic_done") : QStringLiteral("ic_failed"),
        ok                 ? tr("Erasure complete")
        : report.cancelled ? tr("Erasure stopped")
                           : tr("Erasure failed"));
    setFixedWidth(kWidth);
    if (!report.standard.isEmpty())
        layout->addWidget(FileEraserViewParts::paragraph(tr("Standard: %1").arg(report.standard),
                                                         QStringLiteral("eraserTypeLabel")));
    for (const DestructiveOperation::Item& item : report.items)
        layout->addWidget(driveLine(item));
    if (!report.failure.isEmpty()) {
        QLabel* failure =
            FileEraserViewParts::paragraph(report.failure, QStringLiteral("failureText"));
        failure->setTextFormat(Qt::PlainText);
        layout->addWidget(failure);
    }
    for (const QString& note : report.notes)
        layout->addWidget(WipeViewParts::noteLine({DestructiveOperation::Warning::Other, note}));
    if (!historyProblem.isEmpty())
        layout->addWidget(FileEraserViewParts::warningLine(
            tr("The wipe could not be recorded in the history: %1.").arg(historyProblem)));
    ImageButton* okButton = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("OK"),
                                                        QStringLiteral("okButton"));
    connect(okButton, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Accepted); });
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({okButton}));
}

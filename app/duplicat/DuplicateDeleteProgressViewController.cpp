#include "app/duplicat/DuplicateDeleteProgressViewController.h"

#include "app/Comm/SizeText.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QVBoxLayout>

DuplicateDeleteProgressViewController::DuplicateDeleteProgressViewController(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("DuplicateDeleteProgressViewController"));
    setFixedSize(520, 340); // the end area, shown later, needs the same room
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("nav_duplicate_finder"),
                                              tr("Removing copies"));
    m_title = findChild<QLabel*>(QStringLiteral("viewTitle"));

    const FileEraserViewParts::RunArea running = FileEraserViewParts::runArea();
    m_progressArea = running.area;
    m_bar = running.bar;
    m_path = running.path;
    QVBoxLayout* progress = running.column;
    m_stop = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Stop"),
                                         QStringLiteral("stopButton"));
    connect(m_stop, &ImageButton::clicked, this, [this] {
        m_stop->setEnabled(false);
        emit stopRequested();
    });
    progress->addStretch(1);
    progress->addLayout(FileEraserViewParts::buttonRow({m_stop}));
    layout->addWidget(m_progressArea, 1);

    m_endArea = new QWidget;
    auto* end = new QVBoxLayout(m_endArea);
    end->setContentsMargins(0, 0, 0, 0);
    m_message = FileEraserViewParts::paragraph(QString(), QStringLiteral("messageText"));
    m_message->setTextFormat(Qt::PlainText);
    m_failures = new QListWidget;
    m_failures->setObjectName(QStringLiteral("failureList"));
    m_failures->setSelectionMode(QAbstractItemView::NoSelection);
    m_failures->setWordWrap(true);
    m_ok = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("OK"),
                                       QStringLiteral("okButton"));
    connect(m_ok, &ImageButton::clicked, this, [this] { AttachedWindow::dismiss(this); });
    end->addWidget(m_message);
    end->addWidget(m_failures, 1);
    end->addStretch(0);
    end->addLayout(FileEraserViewParts::buttonRow({m_ok}));
    layout->addWidget(m_endArea, 1);
    m_endArea->hide();
}

void DuplicateDeleteProgressViewController::changeProgress(int done, int total,
                                                           const QString& path) {
    m_bar->setValue(total > 0 ? qBound(0, done * 100 / total, 100) : 0);
    m_path->setText(path);
}

void DuplicateDeleteProgressViewController::showReport(const DuplicateDeleteJob::Report& report) {
    m_bar->setValue(100);
    m_progressArea->hide();
    m_endArea->show();
    const int removed = report.removed();
    const int failed = report.failed();
    if (m_title)
        m_title->setText(failed == 0 ? tr("Copies removed") : tr("Some copies stayed"));
    QString how;
    switch (report.method) {
    case DuplicateDeleteJob::Method::Trash:
        how = tr("moved to the Trash");
        break;
    case DuplicateDeleteJob::Method::Remove:
        how = tr("deleted");
        break;
    case DuplicateDeleteJob::Method::Erase:
        how = tr("erased securely");
        break;
    }
    const QString freed = SizeText::withTerabytes(qint64(report.bytesFreed()));
    const auto copies = [](int n) { return tr("%n copies", nullptr, n); };
    QString message = tr("%1 %2, %3 freed").arg(copies(removed), how, freed);
    if (report.method == DuplicateDeleteJob::Method::Trash)
        message += tr(" once the Trash is emptied");
    message += QLatin1Char('.');
    if (report.cancelled)
        message += QLatin1Char(' ') + tr("The removal was stopped.");
    if (failed > 0)
        message += QLatin1Char(' ') + tr("%1 not removed:").arg(copies(failed));
    m_message->setText(message);
    m_failures->clear();
    m_failures->addItems(report.failureLines());
    m_failures->setVisible(failed > 0);
}

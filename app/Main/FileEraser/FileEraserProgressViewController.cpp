#include "app/Main/FileEraser/FileEraserProgressViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/ImageButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <climits>

namespace {
constexpr int kShowEveryMs = 50;
constexpr int kLowest = 2;
} // namespace

FileEraserProgressViewController::FileEraserProgressViewController(const QString& standardName,
                                                                   QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("FileEraserProgressViewController"));
    setWindowTitle(tr("Erasing Files"));
    auto* layout =
        FileEraserViewParts::frame(this, QStringLiteral("nav_erase_files"), tr("Erasing files…"));
    m_title = findChild<QLabel*>(QStringLiteral("viewTitle"));
    layout->addWidget(FileEraserViewParts::paragraph(
        tr("Standard: %1. Please keep the window open until it has finished.").arg(standardName),
        QStringLiteral("standardLabel")));

    m_bar = FileEraserViewParts::progressBar();
    m_bar->setValue(kLowest);
    m_bar->setFixedHeight(8);

    m_path = new QLabel;
    m_path->setObjectName(QStringLiteral("pathLabel"));
    m_path->setProperty("role", QStringLiteral("muted"));
    m_path->setMinimumWidth(200);
    m_path->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    m_count = new QLabel;
    m_count->setObjectName(QStringLiteral("countLabel"));
    m_time = new QLabel(elapsedText(0));
    m_time->setObjectName(QStringLiteral("timeLabel"));
    m_time->setProperty("role", QStringLiteral("muted"));
    auto* counts = new QHBoxLayout;
    counts->addWidget(m_count, 1);
    counts->addWidget(m_time);

    m_cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cancel"),
                                           QStringLiteral("cancelButton"));
    connect(m_cancel, &ImageButton::clicked, this, [this] {
        showCancelling();
        emit cancelRequested();
    });

    layout->addSpacing(8);
    layout->addWidget(m_bar);
    layout->addLayout(counts);
    layout->addWidget(m_path);
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({m_cancel}));

    m_throttle.setSingleShot(true);
    m_throttle.setInterval(kShowEveryMs);
    connect(&m_throttle, &QTimer::timeout, this, &FileEraserProgressViewController::applyPending);
}

void FileEraserProgressViewController::setPlanning(qint64 found) {
    if (m_title)
        m_title->setText(tr("Preparing…"));
    m_count->setText(tr("Looking through the selection: %Ln items found", nullptr,
                        int(qMin<qint64>(found, INT_MAX))));
}

void FileEraserProgressViewController::setProgress(float progress, const QString& path, int index,
                                                   int total) {
    m_pending = {progress, path, index, total};
    // The first report shows at once; later ones at most every kShowEveryMs.
    if (m_count->text().isEmpty()) {
        applyPending();
        return;
    }
    if (!m_throttle.isActive())
        m_throttle.start();
}

void FileEraserProgressViewController::applyPending() {
    m_bar->setValue(qMax(kLowest, int(m_pending.progress)));
    m_count->setText(tr("%1 of %n items", nullptr, int(m_pending.total)).arg(m_pending.index + 1));
    m_fullPath = m_pending.path;
    showPath();
}

void FileEraserProgressViewController::showPath() {
    const int width = qMax(m_path->width(), m_path->minimumWidth());
    m_path->setText(m_path->fontMetrics().elidedText(m_fullPath, Qt::ElideMiddle, width));
    m_path->setToolTip(m_fullPath);
}

void FileEraserProgressViewController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showPath();
}

void FileEraserProgressViewController::setElapsedSeconds(qint64 seconds) {
    m_time->setText(elapsedText(seconds));
}

void FileEraserProgressViewController::showCancelling() {
    m_cancel->setEnabled(false);
    m_cancel->setText(tr("Cancelling…"));
}

QString FileEraserProgressViewController::elapsedText(qint64 seconds) {
    seconds = qMax<qint64>(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

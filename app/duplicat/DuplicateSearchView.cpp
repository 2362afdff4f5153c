#include "app/duplicat/DuplicateSearchView.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/ImageButton.h"

#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

DuplicateSearchView::DuplicateSearchView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DuplicateSearchView"));
    auto* title = new QLabel(tr("Searching for duplicates"));
    title->setProperty("role", QStringLiteral("title"));
    m_folder = new QLabel;
    m_folder->setObjectName(QStringLiteral("folderText"));
    m_folder->setProperty("role", QStringLiteral("subtitle"));
    m_folder->setTextFormat(Qt::PlainText);

    m_step = new QLabel;
    m_step->setObjectName(QStringLiteral("stepText"));
    m_bar = FileEraserViewParts::progressBar();
    m_path = new QLabel;
    m_path->setObjectName(QStringLiteral("pathText"));
    m_path->setProperty("role", QStringLiteral("muted"));
    m_path->setTextFormat(Qt::PlainText);
    m_path->setMinimumWidth(100);
    m_path->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    m_stop = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Stop"),
                                         QStringLiteral("stopButton"));
    connect(m_stop, &ImageButton::clicked, this, [this] {
        stopping();
        emit stopRequested();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(m_folder);
    layout->addStretch(1);
    layout->addWidget(m_step);
    layout->addWidget(m_bar);
    layout->addWidget(m_path);
    layout->addStretch(2);
    layout->addLayout(FileEraserViewParts::buttonRow({m_stop}));
}

void DuplicateSearchView::begin(const QString& folder) {
    m_folder->setText(tr("In %1").arg(folder));
    m_step->setText(tr("Collecting files…"));
    m_bar->setValue(0);
    m_path->clear();
    m_stop->setEnabled(true);
}

void DuplicateSearchView::setProgress(int percent, const QString& step, const QString& path) {
    m_bar->setValue(qBound(0, percent, 100));
    if (m_stop->isEnabled())
        m_step->setText(step);
    // Long paths are cut in the middle so both the top folder and the name stay readable.
    m_path->setText(
        m_path->fontMetrics().elidedText(path, Qt::ElideMiddle, std::max(100, m_path->width())));
    m_path->setToolTip(path);
}

void DuplicateSearchView::stopping() {
    m_stop->setEnabled(false);
    m_step->setText(tr("Stopping…"));
}

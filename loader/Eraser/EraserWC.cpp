#include "loader/Eraser/EraserWC.h"

#include "app/Main/FileEraser/EraseFileOps.h"
#include "app/Main/FileEraser/RemoveFileAndFolder.h"
#include "platform/BundleLocator.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(16);
    label->setFont(font);
    return label;
}
} // namespace

EraserWC::EraserWC(QWidget* parent, QString programName, FileObjBuilder::SolidStateTest solidState)
    : QDialog(parent), m_programName(programName.isEmpty() ? BundleLocator::kLoaderProgramName
                                                           : std::move(programName)),
      m_builder(std::move(solidState)) {
    setObjectName(QStringLiteral("EraserWC"));
    setWindowTitle(tr("Erase with Korvane Data Eraser"));
    setMinimumWidth(460);
    pages = new QStackedWidget(this);
    pages->addWidget(buildProgressPage());
    pages->addWidget(buildResultPage());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages);
}

EraserWC::~EraserWC() {
    if (m_task)
        m_task->setDelegate(nullptr); // the task is a child and goes with this window
}

QWidget* EraserWC::buildProgressPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(28, 24, 28, 20);
    layout->addWidget(boldLabel(tr("Erasing…"), page));
    progressBar = new QProgressBar(page);
    progressBar->setRange(0, 100);
    progressBar->setValue(2);
    progressBar->setTextVisible(false);
    pathLabel = new QLabel(page);
    pathLabel->setObjectName(QStringLiteral("pathLabel"));
    pathLabel->setMinimumWidth(400);
    countLabel = new QLabel(page);
    cancelButton = new QPushButton(tr("Cancel"), page);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(cancelButton, &QPushButton::clicked, this, &EraserWC::cancelButtonAction);
    auto* row = new QHBoxLayout();
    row->addWidget(countLabel, 1);
    row->addWidget(cancelButton);
    layout->addWidget(progressBar);
    layout->addWidget(pathLabel);
    layout->addSpacing(8);
    layout->addLayout(row);
    return page;
}

QWidget* EraserWC::buildResultPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(28, 24, 28, 20);
    resultTitle = boldLabel(QString(), page);
    resultText = new QLabel(page);
    resultText->setWordWrap(true);
    okButton = new QPushButton(tr("OK"), page);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout();
    row->addStretch(1);
    row->addWidget(okButton);
    layout->addWidget(resultTitle);
    layout->addWidget(resultText);
    layout->addSpacing(8);
    layout->addLayout(row);
    return page;
}

void EraserWC::eumeFileWithPath(const QString& path) {
    m_path = path;
    m_failed = m_cancelled = m_succeeded = false;
    pages->setCurrentIndex(0);
    cancelButton->setEnabled(true);
    const FileObjPtr top = m_builder.addFileToArr(path);
    if (!top) {
        showResult(false, tr("%1 could not be found, so nothing was erased.").arg(path));
        return;
    }
    const QList<FileObjPtr> work = m_builder.buildWorkList({top});
    m_total = work.size();
    delete m_task;
    m_task = new RemoveFileAndFolder(m_programName, this);
    m_task->setDelegate(this);
    m_erasing = true;
    m_task->benginToTraskWithArr(work);
}

void EraserWC::removeProgress(float progress, const QString& path, int index) {
    progressBar->setValue(qMax(2, int(progress)));
    const int width = qMax(pathLabel->width(), pathLabel->minimumWidth());
    pathLabel->setText(pathLabel->fontMetrics().elidedText(path, Qt::ElideMiddle, width));
    pathLabel->setToolTip(path);
    countLabel->setText(tr("%1 of %2 items").arg(index + 1).arg(m_total));
}

void EraserWC::cancelButtonAction() {
    if (!m_erasing || !m_task)
        return;
    m_cancelled = true;
    cancelButton->setEnabled(false);
    cancelButton->setText(tr("Cancelling…"));
    m_task->isCancel();
}

void EraserWC::removeObjEnd(const QList<FileObjPtr>&) {
    m_erasing = false;
    // The chosen path decides: it is erased only when it is gone.
    const bool gone = !EraseFileOps::pathExists(m_path);
    if (gone && !m_failed && !m_cancelled) {
        showResult(true, tr("%1 was erased.").arg(m_path));
        return;
    }
    QString text =
        gone ? tr("%1 is gone, but some of what it held could not be overwritten.").arg(m_path)
             : tr("%1 could not be erased completely; what is left is still on the "
                  "disk.")
                   .arg(m_path);
    if (m_cancelled)
        text += QLatin1Char(' ') + tr("The erasure was cancelled.");
    showResult(false, text);
}

void EraserWC::showResult(bool success, const QString& text) {
    m_succeeded = success;
    resultTitle->setText(success ? tr("Erasure complete") : tr("Erasure failed"));
    resultText->setText(text);
    pages->setCurrentIndex(1);
    okButton->setFocus();
}

void EraserWC::closeEvent(QCloseEvent* event) {
    if (m_erasing) {
        // Closing while erasing means stopping first; the result view follows.
        cancelButtonAction();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void EraserWC::reject() {
    if (m_erasing) {
        cancelButtonAction();
        return;
    }
    QDialog::reject();
}

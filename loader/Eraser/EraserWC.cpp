#include "loader/Eraser/EraserWC.h"

#include "app/Comm/UserDefaults.h"
#include "app/Main/FileEraser/ErasePathCheck.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "platform/BundleLocator.h"

#include <QCloseEvent>
#include <QFile>
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
      m_solidState(std::move(solidState)) {
    setObjectName(QStringLiteral("EraserWC"));
    setWindowTitle(tr("Erase with Korvane Data Eraser"));
    setMinimumWidth(460);
    pages = new QStackedWidget(this);
    pages->addWidget(buildProgressPage());
    pages->addWidget(buildResultPage());
    pages->addWidget(buildConfirmPage());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages);
}

EraserWC::~EraserWC() {
    if (m_job)
        m_job->setListener(nullptr); // the job is a child and goes with this window
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
    resultText->setTextFormat(Qt::PlainText);
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

QWidget* EraserWC::buildConfirmPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(28, 24, 28, 20);
    confirmTitle = boldLabel(tr("Erase this?"), page);
    confirmTitle->setObjectName(QStringLiteral("confirmTitle"));
    layout->addWidget(confirmTitle);
    confirmText = new QLabel(page);
    confirmText->setObjectName(QStringLiteral("confirmText"));
    confirmText->setWordWrap(true);
    confirmText->setTextFormat(Qt::PlainText);
    confirmCancelButton = new QPushButton(tr("Cancel"), page);
    confirmCancelButton->setObjectName(QStringLiteral("confirmCancelButton"));
    confirmCancelButton->setDefault(true);
    confirmEraseButton = new QPushButton(tr("Erase"), page);
    confirmEraseButton->setObjectName(QStringLiteral("confirmEraseButton"));
    connect(confirmCancelButton, &QPushButton::clicked, this,
            [this] { showResult(false, tr("Nothing was erased.")); });
    connect(confirmEraseButton, &QPushButton::clicked, this, [this] {
        // A protected path is asked about twice: the second question names what it is.
        if (!m_consentQuestion.isEmpty()) {
            confirmTitle->setText(tr("Erase it anyway?"));
            confirmText->setText(m_consentQuestion);
            confirmEraseButton->setText(tr("Erase Anyway"));
            m_consentQuestion.clear();
            confirmCancelButton->setFocus();
            return;
        }
        startErasing(m_needsConsent);
    });
    auto* row = new QHBoxLayout();
    row->addStretch(1);
    row->addWidget(confirmEraseButton);
    row->addWidget(confirmCancelButton);
    layout->addWidget(confirmText);
    layout->addSpacing(8);
    layout->addLayout(row);
    return page;
}

bool EraserWC::asksFirst() const {
    return pages->currentIndex() == 2;
}

void EraserWC::eumeFileWithPath(const QString& path) {
    eumeFileWithPath(QFile::encodeName(path));
}

void EraserWC::eumeFileWithPath(const QByteArray& path) {
    m_cancelled = m_succeeded = false;
    cancelButton->setEnabled(true);
    ErasePathCheck check;
    const ErasePathCheck::Result verdict = check.check(path);
    m_path = verdict.absolute;
    m_shown = verdict.shown;
    if (verdict.reason == ErasePathCheck::Reason::Missing) {
        showResult(false, tr("%1 could not be found, so nothing was erased.").arg(m_shown));
        return;
    }
    if (verdict.verdict == ErasePathCheck::Verdict::Refuse) {
        QString text = ErasePathCheck::message(verdict) + QLatin1Char('.');
        text[0] = text[0].toUpper();
        showResult(false, text);
        return;
    }
    // A file manager's menu item is one misclick away: nothing is erased before the user has
    // seen what and how, and said yes; a protected path needs a second yes.
    const int level = EraserStandard::effectiveLevel(UserDefaults(m_programName).eraserTimes());
    QStringList text{tr("%1 will be overwritten with %2 (%n pass(es)) and removed, with "
                        "everything in it. This cannot be undone.",
                        nullptr, level)
                         .arg(m_shown, EraserStandard::nameForLevel(level))};
    if (verdict.copyOnWrite)
        text << EraseReport::copyOnWriteWarning({m_shown});
    m_needsConsent = verdict.verdict == ErasePathCheck::Verdict::NeedsConsent;
    m_consentQuestion.clear();
    if (m_needsConsent) {
        QString why = ErasePathCheck::message(verdict) + QLatin1Char('.');
        why[0] = why[0].toUpper();
        text << why;
        m_consentQuestion = why;
    }
    confirmTitle->setText(tr("Erase this?"));
    confirmText->setText(text.join(QStringLiteral("\n\n")));
    confirmEraseButton->setText(tr("Erase"));
    pages->setCurrentIndex(2);
    confirmCancelButton->setFocus();
}

void EraserWC::startErasing(bool consented) {
    pages->setCurrentIndex(0);
    EraseJob::Options options;
    options.programName = m_programName;
    options.recordHistory = false; // the loader's road keeps no history
    options.consented = consented;
    options.solidState = m_solidState;
    delete m_job;
    m_job = new EraseJob(options, this);
    m_job->setListener(this);
    const FileObjPtr top = m_job->builder().addFileToArr(m_path);
    if (!top) {
        showResult(false, tr("%1 could not be found, so nothing was erased.").arg(m_shown));
        return;
    }
    m_erasing = true;
    m_job->start({top});
}

void EraserWC::eraseProgress(float percent, const QString& path, int index, int total) {
    progressBar->setValue(qMax(2, int(percent)));
    if (index >= total)
        return;
    const int width = qMax(pathLabel->width(), pathLabel->minimumWidth());
    pathLabel->setText(pathLabel->fontMetrics().elidedText(path, Qt::ElideMiddle, width));
    pathLabel->setToolTip(path);
    countLabel->setText(tr("%1 of %2 items").arg(index + 1).arg(total));
}

void EraserWC::cancelButtonAction() {
    if (!m_erasing || !m_job)
        return;
    m_cancelled = true;
    cancelButton->setEnabled(false);
    cancelButton->setText(tr("Cancelling…"));
    m_job->cancel();
}

void EraserWC::eraseFinished(const EraseReport& report) {
    m_erasing = false;
    if (report.allErased() && !m_cancelled) {
        QString text = tr("%1 was erased.").arg(m_shown);
        if (report.anyCopyOnWrite())
            text += QLatin1Char(' ') + tr("Earlier copies may remain on this copy-on-write "
                                          "volume: wipe its free space as well.");
        if (!report.namesInJournal().isEmpty())
            text += QLatin1Char(' ') + EraseReport::journalNote({m_shown});
        showResult(true, text);
        return;
    }
    QString text =
        tr("%1 could not be erased completely; what is left is still on the disk.").arg(m_shown);
    const QStringList problems = report.problemLines(8);
    if (!problems.isEmpty())
        text += QLatin1Char('\n') + problems.join(QLatin1Char('\n'));
    if (m_cancelled)
        text += QLatin1Char('\n') + tr("The erasure was cancelled.") + QLatin1Char(' ') +
                EraseReport::cancelledCountsText(report.fileCounts());
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

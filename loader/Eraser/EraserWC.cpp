#include "loader/Eraser/EraserWC.h"

#include "app/Job/OperationRunner.h"
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
#include <climits>

namespace {
QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(16);
    label->setFont(font);
    return label;
}
// A sentence of the program's own words ("refusing to erase ..."), for the window.
QString sentence(QString text) {
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text + QLatin1Char('.');
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
    delete m_runner; // stops and joins a planning or erasure still under way
}

QWidget* EraserWC::buildProgressPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(28, 24, 28, 20);
    m_progressTitle = boldLabel(tr("Erasing…"), page);
    layout->addWidget(m_progressTitle);
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
        startErasing();
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
    if (m_planning || m_erasing)
        return;
    m_cancelled = m_succeeded = false;
    m_plan.reset();
    m_shown = FileObjBuilder::displayPath(path);
    EraseJob::Options options;
    options.programName = m_programName;
    options.recordHistory = false; // the loader's road keeps no history
    options.solidState = m_solidState;
    m_operation = std::make_shared<EraseFilesOperation>(QList<QByteArray>{path}, options);
    delete m_runner;
    m_runner = new OperationRunner(this);
    connect(m_runner, &OperationRunner::progress, this, &EraserWC::showProgress);
    connect(m_runner, &OperationRunner::planned, this, &EraserWC::planArrived);
    connect(m_runner, &OperationRunner::finished, this, &EraserWC::erasureEnded);

    m_progressTitle->setText(tr("Preparing…"));
    progressBar->setValue(2);
    pathLabel->setText(m_shown);
    countLabel->clear();
    cancelButton->setEnabled(true);
    cancelButton->setText(tr("Cancel"));
    pages->setCurrentIndex(0);
    m_planning = true;
    m_runner->plan(m_operation);
}

void EraserWC::planArrived(const DestructiveOperation::Plan& plan) {
    m_planning = false;
    if (plan.stopped || m_cancelled) {
        showResult(false, tr("The erasure was cancelled. Nothing was erased."));
        return;
    }
    if (!plan.refusals.isEmpty()) {
        const DestructiveOperation::Refused& refused = plan.refusals.first();
        if (!refused.subject.isEmpty())
            m_shown = refused.subject;
        showResult(false, refused.reason == DestructiveOperation::Refusal::Missing
                              ? tr("%1 could not be found, so nothing was erased.").arg(m_shown)
                              : sentence(refused.detail));
        return;
    }
    if (plan.items.isEmpty()) {
        showResult(false, tr("%1 could not be found, so nothing was erased.").arg(m_shown));
        return;
    }
    m_plan = plan;
    m_shown = plan.items.first();
    // A file manager's menu item is one misclick away: nothing is erased before the user has
    // seen what and how, and said yes; a protected path needs a second yes.
    QStringList text{tr("%1 will be overwritten with %2 (%n pass(es)) and removed, with "
                        "everything in it. This cannot be undone.",
                        nullptr, plan.level)
                         .arg(m_shown, plan.standard)};
    for (const DestructiveOperation::Note& note : plan.notes)
        text << note.detail;
    m_consentQuestion.clear();
    for (const DestructiveOperation::ConsentNeeded& needed : plan.consents)
        if (needed.consent != DestructiveOperation::Consent::Irreversible) {
            text << sentence(needed.detail);
            m_consentQuestion = sentence(needed.detail);
        }
    confirmTitle->setText(tr("Erase this?"));
    confirmText->setText(text.join(QStringLiteral("\n\n")));
    confirmEraseButton->setText(tr("Erase"));
    pages->setCurrentIndex(2);
    confirmCancelButton->setFocus();
}

void EraserWC::startErasing() {
    if (!m_plan || !m_runner)
        return;
    // Both questions the plan asked were answered yes.
    DestructiveOperation::Consents consents;
    for (const DestructiveOperation::ConsentNeeded& needed : m_plan->consents)
        consents.give(needed.consent);
    m_progressTitle->setText(tr("Erasing…"));
    pages->setCurrentIndex(0);
    m_erasing = true;
    m_runner->run(*m_plan, consents);
}

void EraserWC::showProgress(const DestructiveOperation::Progress& progress) {
    if (progress.stage == DestructiveOperation::Stage::Planning) {
        countLabel->setText(tr("Looking through it: %Ln items found", nullptr,
                               int(qMin<qint64>(progress.done, INT_MAX))));
        return;
    }
    if (progress.total <= 0)
        return;
    progressBar->setValue(qMax(2, int(100 * progress.done / progress.total)));
    if (progress.done >= progress.total)
        return;
    const int width = qMax(pathLabel->width(), pathLabel->minimumWidth());
    pathLabel->setText(
        pathLabel->fontMetrics().elidedText(progress.subject, Qt::ElideMiddle, width));
    pathLabel->setToolTip(progress.subject);
    countLabel->setText(tr("%1 of %n items", nullptr, int(qMin<qint64>(progress.total, INT_MAX)))
                            .arg(progress.done + 1));
}

void EraserWC::cancelButtonAction() {
    if ((!m_erasing && !m_planning) || !m_runner)
        return;
    m_cancelled = true;
    cancelButton->setEnabled(false);
    cancelButton->setText(tr("Cancelling…"));
    m_runner->stop();
}

void EraserWC::erasureEnded() {
    m_erasing = false;
    const EraseReport& report = m_operation->eraseReport();
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
    if (m_erasing || m_planning) {
        // Closing while erasing means stopping first; the result view follows.
        cancelButtonAction();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void EraserWC::reject() {
    if (m_erasing || m_planning) {
        cancelButtonAction();
        return;
    }
    QDialog::reject();
}

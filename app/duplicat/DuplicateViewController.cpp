#include "app/duplicat/DuplicateViewController.h"

#include "app/Job/DeleteDuplicatesOperation.h"
#include "app/Job/OperationRunner.h"
#include "app/Main/ModuleOwner.h"
#include "app/duplicat/Duplicate/DuplicateGroup.h"
#include "app/duplicat/Duplicate/duplicateFind.h"
#include "app/duplicat/DuplicateDeleteJob.h"
#include "app/duplicat/DuplicateDeleteProgressViewController.h"
#include "app/duplicat/DuplicateResultView.h"
#include "app/duplicat/DuplicateSearchView.h"
#include "app/duplicat/DuplicateStartView.h"
#include "app/duplicat/MakeSureDuplicateDeleteViewController.h"
#include "app/ui/AttachedWindow.h"

#include <QStackedWidget>
#include <QThread>
#include <QVBoxLayout>

DuplicateViewController::DuplicateViewController(ModuleOwner* owner, QWidget* parent)
    : QWidget(parent), m_owner(owner) {
    setObjectName(QStringLiteral("DuplicateViewController"));
    m_pages = new QStackedWidget;
    m_startView = new DuplicateStartView;
    m_searchView = new DuplicateSearchView;
    m_resultView = new DuplicateResultView;
    m_pages->addWidget(m_startView);
    m_pages->addWidget(m_searchView);
    m_pages->addWidget(m_resultView);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);

    connect(m_startView, &DuplicateStartView::searchRequested, this,
            &DuplicateViewController::startSearch);
    connect(m_searchView, &DuplicateSearchView::stopRequested, this,
            &DuplicateViewController::stopSearch);
    connect(m_resultView, &DuplicateResultView::newSearchRequested, this,
            &DuplicateViewController::showStart);
    connect(m_resultView, &DuplicateResultView::removeRequested, this,
            &DuplicateViewController::removeChosenCopies);
    m_poll.setInterval(kPollMilliseconds);
    m_runner = new OperationRunner(this);
    connect(
        m_runner, &OperationRunner::planned, this, [this](const DestructiveOperation::Plan& plan) {
            // A plan with nothing left to do still ends through the run's report.
            if (m_removal && !m_runner->run(plan, DestructiveOperation::Consents().give(
                                                      DestructiveOperation::Consent::Irreversible)))
                endRemoval();
        });
    connect(m_runner, &OperationRunner::progress, this,
            [this](const DestructiveOperation::Progress& step) {
                if (m_progress)
                    m_progress->changeProgress(int(step.done), int(step.total), step.subject);
            });
    connect(m_runner, &OperationRunner::finished, this, [this] {
        if (m_removal)
            removalEnded();
    });
    connect(&m_poll, &QTimer::timeout, this, &DuplicateViewController::poll);
}

DuplicateViewController::~DuplicateViewController() {
    m_poll.stop();
    if (m_thread) {
        m_finder->stopSearch();
        m_thread->wait();
        delete m_thread;
    }
    // The runner (a child) stops a removal under way and joins its worker when it goes.
}

void DuplicateViewController::showStart() {
    if (!isSearching() && !isRemoving())
        m_pages->setCurrentWidget(m_startView);
}

void DuplicateViewController::startSearch(const QString& folder, bool searchHidden,
                                          bool searchSystem) {
    if (isSearching() || isRemoving())
        return;
    m_folder = folder;
    // One search object per search: its result lists only grow.
    m_finder = std::make_shared<duplicateFind>();
    m_finder->setSearchOption(searchHidden, searchSystem);
    m_thread = QThread::create(
        [finder = m_finder, folder] { finder->searchDuplicateFileAtPath(folder, 0); });
    m_thread->setObjectName(QStringLiteral("duplicate search"));
    // The end is the thread's end, not a progress of 100: a search that ends on a file matching
    // nothing stops short of 100.
    connect(m_thread, &QThread::finished, this, &DuplicateViewController::searchEnded);
    m_searchView->begin(folder);
    m_pages->setCurrentWidget(m_searchView);
    if (m_owner)
        m_owner->canChangeType(false);
    m_thread->start();
    m_poll.start();
}

void DuplicateViewController::stopSearch() {
    if (m_finder && m_thread)
        m_finder->stopSearch();
}

void DuplicateViewController::poll() {
    if (!m_finder)
        return;
    QString step;
    switch (m_finder->phase()) {
    case duplicateFind::Phase::Idle:
    case duplicateFind::Phase::Walk:
        step = tr("Collecting files…");
        break;
    case duplicateFind::Phase::Bundles:
        step = tr("Comparing application bundles…");
        break;
    case duplicateFind::Phase::Files:
    case duplicateFind::Phase::Done:
        step = tr("Comparing files…");
        break;
    }
    m_searchView->setProgress(int(m_finder->getProgress()), step, m_finder->getCurrentSearchPath());
}

void DuplicateViewController::searchEnded() {
    m_poll.stop();
    m_thread->wait();
    m_thread->deleteLater();
    m_thread = nullptr;
    // Read once the search has returned: nothing is added to the lists any more.
    QList<fileAttrbItemPtr> flat;
    m_finder->getAllDuplicateFile(&flat);
    QList<QList<AppAttrbItemPtr>> bundles;
    m_finder->getAllAppDuplicateDir(&bundles);
    m_resultView->setResults(m_folder, DuplicateGroup::split(flat), bundles, m_finder->isStopped());
    m_pages->setCurrentWidget(m_resultView);
    if (m_owner)
        m_owner->canChangeType(true);
    emit searchFinished();
}

void DuplicateViewController::removeChosenCopies() {
    if (isSearching() || isRemoving())
        return;
    const QList<DuplicateDeleteJob::Planned> planned = m_resultView->planned();
    if (planned.isEmpty())
        return;
    const DuplicateDeleteJob::Method method = m_resultView->method();
    if (AttachedWindow::run(new MakeSureDuplicateDeleteViewController(planned, method), this) !=
        QDialog::Accepted)
        return;

    DuplicateDeleteJob::Options options;
    options.method = method;
    m_removal = std::make_shared<DeleteDuplicatesOperation>(m_resultView->groups(),
                                                            m_resultView->marks(), options);
    m_progress = new DuplicateDeleteProgressViewController;
    connect(m_progress.data(), &DuplicateDeleteProgressViewController::stopRequested, m_runner,
            &OperationRunner::stop);
    if (m_owner)
        m_owner->canChangeType(false);
    AttachedWindow::present(m_progress, this);
    emit removalStarted(m_progress);
    // The user said yes to what the result page showed: the run does what the plan keeps of it
    // (the rules refuse a group's last copy by name).
    if (!m_runner->plan(m_removal))
        endRemoval();
}

void DuplicateViewController::removalEnded() {
    if (m_progress)
        m_progress->showReport(m_removal->deleteReport());
    m_resultView->forgetRemoved(m_removal->deleteReport());
    endRemoval();
}

void DuplicateViewController::endRemoval() {
    m_removal.reset();
    if (m_owner)
        m_owner->canChangeType(true);
    emit removalFinished();
}

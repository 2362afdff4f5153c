#include "app/Main/FileEraser/FileEraserViewController.h"

#include "app/Comm/EraserStandardNotifier.h"
#include "app/Comm/PublicUtilities.h"
#include "app/Job/OperationRunner.h"
#include "app/Main/DragView.h"
#include "app/Main/FileEraser/EraseFileOps.h"
#include "app/Main/FileEraser/FileEraserBatch.h"
#include "app/Main/FileEraser/FileEraserFailViewController.h"
#include "app/Main/FileEraser/FileEraserListView.h"
#include "app/Main/FileEraser/FileEraserNtfsNotice.h"
#include "app/Main/FileEraser/FileEraserOpenPanel.h"
#include "app/Main/FileEraser/FileEraserProgressViewController.h"
#include "app/Main/FileEraser/FileEraserRowActions.h"
#include "app/Main/FileEraser/FileEraserSortVC.h"
#include "app/Main/FileEraser/FileEraserSorter.h"
#include "app/Main/FileEraser/FileEraserSuccessViewController.h"
#include "app/Main/FileEraser/FileEraserTableModel.h"
#include "app/Main/FileEraser/FileObjBuilder.h"
#include "app/Main/FileEraser/MakeSureEraseProtectedViewController.h"
#include "app/Main/FileEraser/MakeSureFileEraserViewControoler.h"
#include "app/Main/FileEraser/SrmTool.h"
#include "app/Main/ModuleOwner.h"
#include "app/SetEraserLevel/HistoryViewController.h"
#include "app/inter/DoDataBase.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"
#include "app/ui/SlidePanel.h"
#include "platform/FileSystemInfo.h"
#include "platform/Logger.h"
#include "platform/UserAccount.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <sys/stat.h>

namespace {
const QString kHistoryFlag = QStringLiteral("WipeFileHistory");
} // namespace

FileEraserViewController::FileEraserViewController(ModuleOwner* owner, QWidget* parent)
    : QWidget(parent), m_owner(owner) {
    setObjectName(QStringLiteral("FileEraserViewController"));
    m_model = new FileEraserTableModel(&m_valueArr, this);

    m_dragView = new DragView;
    m_listView = new FileEraserListView(m_model);
    m_pages = new QStackedWidget;
    m_pages->addWidget(m_dragView);
    m_pages->addWidget(m_listView);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    layout->addWidget(m_pages, 1);

    connect(m_dragView, &DragView::pathsDropped, this, &FileEraserViewController::addPaths);
    connect(m_dragView, &DragView::addRequested, this, &FileEraserViewController::addButtonAction);
    connect(m_listView, &FileEraserListView::pathsDropped, this,
            &FileEraserViewController::addPaths);
    connect(m_listView, &FileEraserListView::rowMenuRequested, this,
            &FileEraserViewController::showRowMenu);
    connect(m_listView->addButton(), &ImageButton::clicked, this,
            &FileEraserViewController::addButtonAction);
    connect(m_listView->emptyButton(), &ImageButton::clicked, this,
            &FileEraserViewController::emptyList);
    connect(m_listView->selectAllButton(), &ImageButton::clicked, this,
            &FileEraserViewController::selectAllAction);
    connect(m_listView->eraseButton(), &ImageButton::clicked, this,
            &FileEraserViewController::eraseNowAction);
    connect(m_listView->sortButton(), &ImageButton::clicked, this, [this] {
        auto* popup = new FileEraserSortVC(m_sortType, m_sortAD, this);
        connect(popup, &FileEraserSortVC::sortChosen, this, &FileEraserViewController::sortWith);
        popup->popUp(m_listView->sortButton());
    });
    connect(m_model, &FileEraserTableModel::selectionToggled, this,
            &FileEraserViewController::refreshViews);
    connect(&m_sortWatcher, &QFutureWatcher<QList<FileObjPtr>>::finished, this, [this] {
        // Items added or removed while sorting would be lost by swapping in the old copy.
        if (m_sortedVersion != m_listVersion) {
            sortWith(m_sortType, m_sortAD);
            return;
        }
        m_valueArr = m_sortWatcher.result();
        m_model->reload();
        refreshViews();
        emit sortFinished();
    });

    m_eraserTimer.setInterval(1000);
    connect(&m_eraserTimer, &QTimer::timeout, this, &FileEraserViewController::tick);
    refreshViews();
}

FileEraserViewController::~FileEraserViewController() {
    // Stops and joins a planning or run still under way before the items it reports on go.
    delete m_runner;
    m_sortWatcher.waitForFinished();
}

QWidget* FileEraserViewController::buildHeader() {
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("FileEraserHeader"));
    auto* title = new QLabel(tr("Erase Files"));
    title->setProperty("role", QStringLiteral("title"));
    m_standardLabel = new QLabel;
    m_standardLabel->setObjectName(QStringLiteral("standardLabel"));
    m_standardLabel->setProperty("role", QStringLiteral("subtitle"));
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(title);
    text->addWidget(m_standardLabel);

    m_settingsButton = new ImageButton(QStringLiteral("ic_settings"));
    m_settingsButton->setObjectName(QStringLiteral("settingsButton"));
    m_settingsButton->setToolTip(tr("Erasure standard"));
    m_settingsButton->setFixedSize(32, 32);
    m_historyButton = new ImageButton(QStringLiteral("ic_nohistory"));
    m_historyButton->setObjectName(QStringLiteral("historyButton"));
    m_historyButton->setToolTip(tr("Erasure history"));
    m_historyButton->setFixedSize(32, 32);
    connect(m_settingsButton, &ImageButton::clicked, this,
            &FileEraserViewController::settingsButtonAction);
    connect(m_historyButton, &ImageButton::clicked, this,
            &FileEraserViewController::historyButtonAction);

    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(24, 20, 24, 12);
    row->setSpacing(10);
    row->addLayout(text, 1);
    row->addWidget(m_settingsButton, 0, Qt::AlignTop);
    row->addWidget(m_historyButton, 0, Qt::AlignTop);
    refreshStandardLabel();
    refreshHistoryButton();
    // Another page's chooser may change the standard while this one is up.
    connect(&EraserStandardNotifier::instance(), &EraserStandardNotifier::standardChanged, this,
            &FileEraserViewController::refreshStandardLabel);
    return header;
}

bool FileEraserViewController::showsList() const {
    return m_pages->currentWidget() == m_listView;
}

QString FileEraserViewController::userHomeFolder() {
    if (const auto user = UserAccount::invokingUser())
        return user->home;
    // The loader records the user it was started by; the program itself may run as root.
    const QString recorded = PublicUtilities::getUpDataHistoryStr(QStringLiteral("USERNAME"));
    if (!recorded.isEmpty())
        if (const auto user = UserAccount::byName(recorded.toUtf8()))
            return user->home;
    return QDir::homePath();
}

// ---- Adding -------------------------------------------------------------------------------

void FileEraserViewController::addPaths(const QStringList& paths) {
    if (m_erasing || m_planning || paths.isEmpty())
        return;
    ErasePathCheck check; // one per batch: file-system types are asked once per device
    FileObjBuilder builder;
    const FileEraserBatch::Result result = FileEraserBatch::addPaths(
        m_valueArr, paths, [&check](const QString& path) { return check.check(path); },
        [&builder](const QByteArray& path, bool) { return builder.addFileToArr(path); });
    if (result.added > 0)
        listChanged();
    if (result.stoppedAtRoot)
        Logger::log(QStringLiteral("File eraser: the root folder \"/\" is never added"));
    if (!result.refusals.isEmpty()) {
        for (const QString& message : result.refusals)
            Logger::log(QStringLiteral("File eraser: %1").arg(message));
        emit pathsRefused(result.refusals);
        // Shown without waiting for it: a drop returns at once, and the list stays usable.
        auto* box = new QMessageBox(QMessageBox::Warning, tr("Not added"),
                                    tr("Some items were not added"), QMessageBox::Ok, window());
        box->setObjectName(QStringLiteral("refusedAlert"));
        box->setInformativeText(result.refusals.join(QLatin1Char('\n')));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::WindowModal);
        box->open();
    }
    if (result.refusedNtfs)
        AttachedWindow::run(new FileEraserNtfsNotice, this);
}

void FileEraserViewController::addButtonAction() {
    if (m_erasing || m_planning)
        return;
    if (m_newPathStr.isEmpty() || !QFileInfo(m_newPathStr).isDir())
        m_newPathStr = userHomeFolder();
    const QStringList paths = FileEraserOpenPanel::choose(this, &m_newPathStr);
    addPaths(paths);
}

void FileEraserViewController::emptyList() {
    if (m_erasing || m_planning)
        return;
    m_valueArr.clear();
    listChanged();
}

void FileEraserViewController::listChanged() {
    ++m_listVersion;
    m_model->reload();
    refreshViews();
}

void FileEraserViewController::refreshViews() {
    int selected = 0;
    qint64 bytes = 0;
    for (const FileObjPtr& item : m_valueArr)
        if (item->isSelect) {
            ++selected;
            bytes += item->size;
        }
    const bool all = !m_valueArr.isEmpty() && selected == m_valueArr.size();
    m_listView->refresh(all, selected, int(m_valueArr.size()), bytes);
    m_pages->setCurrentWidget(m_valueArr.isEmpty() ? static_cast<QWidget*>(m_dragView)
                                                   : m_listView);
    refreshHistoryButton();
}

void FileEraserViewController::selectAllAction() {
    bool all = !m_valueArr.isEmpty();
    for (const FileObjPtr& item : m_valueArr)
        all = all && item->isSelect;
    for (const FileObjPtr& item : m_valueArr)
        item->isSelect = !all;
    m_model->reload();
    refreshViews();
}

void FileEraserViewController::sortWith(int sortType, int sortAD) {
    m_sortType = sortType;
    m_sortAD = sortAD;
    if (m_sortWatcher.isRunning())
        return; // its end sees the newer choice and sorts again
    m_sortedVersion = m_listVersion;
    m_sortWatcher.setFuture(
        QtConcurrent::run(&FileEraserSorter::sorted, m_valueArr, sortType, sortAD));
}

// ---- Row actions --------------------------------------------------------------------------

void FileEraserViewController::showRowMenu(int row, const QPoint& globalPos) {
    if (row < 0 || row >= m_valueArr.size())
        return;
    QMenu menu(this);
    menu.addAction(tr("Open"), this, [this, row] { openItem(row); });
    menu.addAction(tr("Reveal in Folder"), this, [this, row] { revealItem(row); });
    menu.exec(globalPos);
}

void FileEraserViewController::openItem(int row) {
    const FileObjPtr item = m_model->itemAt(row);
    if (item && !FileEraserRowActions::open(item->url))
        showVanished(item);
}

void FileEraserViewController::revealItem(int row) {
    const FileObjPtr item = m_model->itemAt(row);
    if (item && !FileEraserRowActions::reveal(item->url))
        showVanished(item);
}

void FileEraserViewController::showVanished(const FileObjPtr& item) {
    if (EraseFileOps::pathExists(item->url))
        return; // it exists but no application took it; the desktop says why
    QMessageBox box(QMessageBox::Warning, FileEraserRowActions::vanishedTitle(item->isDir),
                    FileEraserRowActions::vanishedTitle(item->isDir), QMessageBox::Ok, window());
    box.setObjectName(QStringLiteral("vanishedAlert"));
    box.setInformativeText(
        tr("%1 is no longer there. It may have been moved, renamed or erased.").arg(item->url));
    box.setWindowModality(Qt::WindowModal);
    box.exec();
}

// ---- Panels -------------------------------------------------------------------------------

void FileEraserViewController::settingsButtonAction() {
    if (m_erasing || m_planning)
        return;
    delete m_levelPanel;
    m_levelPanel = new SetEraserLevelVC(this);
    m_levelPanel->setDelegate(this);
    m_levelPanel->setEraserLevelSelect();
    SlidePanel::slideIn(m_levelPanel);
}

void FileEraserViewController::closeSetEraserLevelView() {
    refreshStandardLabel();
    if (!m_levelPanel)
        return;
    QPointer<SetEraserLevelVC> panel = m_levelPanel;
    SlidePanel::slideOut(panel, [panel] {
        if (panel)
            panel->deleteLater();
    });
}

void FileEraserViewController::historyButtonAction() {
    if (m_erasing || m_planning)
        return;
    PublicUtilities::writeUpDataHistoryStr(kHistoryFlag, QStringLiteral("0"));
    refreshHistoryButton();
    delete m_historyView;
    m_historyView = new HistoryViewController(this);
    m_historyView->setKind(DoDataBase::kTypeWipeFile);
    m_historyView->getEraserHistory();
    QPointer<HistoryViewController> view = m_historyView;
    connect(view, &HistoryViewController::closed, this, [view] {
        if (view)
            view->deleteLater();
    });
    view->slideIn();
}

void FileEraserViewController::refreshHistoryButton() {
    m_historyButton->setImageName(
        Images::historyImageSet(PublicUtilities::getUpDataHistoryStr(kHistoryFlag)));
}

void FileEraserViewController::refreshStandardLabel() {
    m_standardLabel->setText(tr("Standard: %1").arg(PublicUtilities::getEraserTimes()));
}

// ---- Erasing ------------------------------------------------------------------------------

void FileEraserViewController::eraseNowAction() {
    if (m_erasing || m_planning)
        return;
    int selected = 0;
    for (const FileObjPtr& item : m_valueArr)
        selected += item->isSelect ? 1 : 0;
    if (selected == 0)
        return;
    // Without a usable erasure tool every file would fail: say why before anything starts.
    QString problem;
    if (SrmTool::locate(&problem).isEmpty()) {
        QMessageBox box(QMessageBox::Critical, tr("Cannot erase"), tr("Cannot erase"),
                        QMessageBox::Ok, window());
        box.setObjectName(QStringLiteral("toolMissingAlert"));
        box.setInformativeText(tr("The erasure tool cannot be used: %1. Nothing was erased; "
                                  "reinstalling the program restores the tool.")
                                   .arg(problem));
        box.setWindowModality(Qt::WindowModal);
        box.exec();
        return;
    }
    const std::optional<DestructiveOperation::Plan> plan = planSelection();
    if (!plan)
        return;
    if (plan->items.isEmpty()) {
        QStringList why;
        for (const DestructiveOperation::Refused& refused : plan->refusals)
            why << refused.detail;
        QMessageBox box(QMessageBox::Warning, tr("Nothing to erase"), tr("Nothing can be erased"),
                        QMessageBox::Ok, window());
        box.setObjectName(QStringLiteral("nothingToEraseAlert"));
        box.setInformativeText(why.join(QLatin1Char('\n')));
        box.setWindowModality(Qt::WindowModal);
        box.exec();
        // What is no longer there leaves the list.
        const QList<FileObjPtr> gone = takeResults(EraseReport());
        if (!gone.isEmpty()) {
            m_valueArr.removeIf([&gone](const FileObjPtr& item) { return gone.contains(item); });
            listChanged();
        }
        return;
    }
    // The plan's questions: what the user should know (copy-on-write volumes), what is left out,
    // and, a second time, the home and system folders and mount points among the items.
    QStringList warnings;
    for (const DestructiveOperation::Note& note : plan->notes)
        warnings << note.detail;
    if (!plan->refusals.isEmpty()) {
        QStringList leftOut;
        for (const DestructiveOperation::Refused& refused : plan->refusals)
            leftOut << refused.detail;
        warnings << tr("Left out, and not erased: %1.").arg(leftOut.join(QStringLiteral("; ")));
    }
    QStringList protectedItems;
    for (const DestructiveOperation::ConsentNeeded& needed : plan->consents)
        if (needed.consent != DestructiveOperation::Consent::Irreversible)
            protectedItems << needed.detail;
    auto* confirm =
        new MakeSureFileEraserViewControoler(int(plan->items.size()), plan->standard, warnings);
    if (AttachedWindow::run(confirm, this) != QDialog::Accepted)
        return;
    if (!protectedItems.isEmpty() &&
        AttachedWindow::run(new MakeSureEraseProtectedViewController(protectedItems), this) !=
            QDialog::Accepted)
        return;
    // Every question the plan asked was answered yes.
    DestructiveOperation::Consents consents;
    for (const DestructiveOperation::ConsentNeeded& needed : plan->consents)
        consents.give(needed.consent);
    // The window's rule for a batch: what is refused was named above and is left out; the rest
    // runs.
    DestructiveOperation::Plan runnable = *plan;
    runnable.refusals.clear();
    startErasure(runnable, consents);
}

std::optional<DestructiveOperation::Plan> FileEraserViewController::planSelection() {
    // The operation gets copies of the selected items: the list's own items stay the UI
    // thread's to read (the table paints them) while the worker fills in the copies' results.
    QList<FileObjPtr> copies;
    m_originals.clear();
    for (const FileObjPtr& item : m_valueArr)
        if (item->isSelect) {
            copies << std::make_shared<FileObj>(*item);
            m_originals.insert(item->nativePath(), item);
        }
    m_operation = std::make_shared<EraseFilesOperation>(copies, EraseJob::Options{});
    // A new runner for each erasure: deleting the last one joins a thread that has ended.
    delete m_runner;
    m_runner = new OperationRunner(this);
    connect(m_runner, &OperationRunner::progress, this, &FileEraserViewController::showProgress);
    connect(m_runner, &OperationRunner::planned, this, &FileEraserViewController::planArrived);
    connect(m_runner, &OperationRunner::finished, this, &FileEraserViewController::erasureEnded);

    m_plan.reset();
    auto* progress = new FileEraserProgressViewController(PublicUtilities::getEraserTimes());
    progress->setPlanning(0);
    m_progressView = progress;
    connect(progress, &FileEraserProgressViewController::cancelRequested, m_runner,
            &OperationRunner::stop);
    m_planning = true;
    m_runner->plan(m_operation);
    // The plan arrives through this window's loop and closes it.
    AttachedWindow::run(progress, this);
    m_planning = false;
    if (!m_plan) {
        // The window went away first (the application is quitting).
        m_runner->stop();
        return std::nullopt;
    }
    // Cancelled while looking through the selection (even when the plan came in just after):
    // nothing is erased.
    if (m_plan->stopped || m_runner->stopRequested())
        return std::nullopt;
    return m_plan;
}

void FileEraserViewController::planArrived(const DestructiveOperation::Plan& plan) {
    m_plan = plan;
    if (m_progressView)
        AttachedWindow::dismiss(m_progressView);
}

void FileEraserViewController::setErasing(bool erasing) {
    m_erasing = erasing;
    m_dragView->setAcceptingDrops(!erasing);
    m_listView->setAcceptingDrops(!erasing);
    if (m_owner)
        m_owner->canChangeType(!erasing);
}

void FileEraserViewController::startErasure(const DestructiveOperation::Plan& plan,
                                            const DestructiveOperation::Consents& consents) {
    m_isCancel = false;
    m_deleteErrorArr.clear();
    auto* progress = new FileEraserProgressViewController(plan.standard);
    m_progressView = progress;
    // The run's first report comes from the worker: until then the window says where it starts.
    if (plan.entries > 0)
        progress->setProgress(0.0f, QString(), 0, int(plan.entries));
    connect(progress, &FileEraserProgressViewController::cancelRequested, this,
            &FileEraserViewController::cancelErasure);

    setErasing(true);
    m_eraserTimeR = 0;
    m_clock.start();
    m_eraserTimer.start();
    tick();
    m_runner->run(plan, consents);
    m_inProgressWindow = true;
    AttachedWindow::run(progress, this);
    m_inProgressWindow = false;
    if (m_erasing) {
        // The window went away without the run ending (the application is quitting): stop the
        // run; its end finishes the erasure.
        cancelErasure();
        return;
    }
    showResultAndFinish();
}

void FileEraserViewController::tick() {
    m_eraserTimeR = m_clock.isValid() ? m_clock.elapsed() / 1000 : 0;
    if (m_progressView)
        m_progressView->setElapsedSeconds(m_eraserTimeR);
}

void FileEraserViewController::cancelErasure() {
    if (!m_erasing || !m_runner)
        return;
    m_isCancel = true;
    if (m_progressView)
        m_progressView->showCancelling();
    m_runner->stop();
}

void FileEraserViewController::showProgress(const DestructiveOperation::Progress& progress) {
    if (!m_progressView)
        return;
    if (progress.stage == DestructiveOperation::Stage::Planning)
        m_progressView->setPlanning(progress.done);
    else if (progress.done < progress.total)
        m_progressView->setProgress(100.0f * float(progress.done) / float(progress.total),
                                    progress.subject, int(progress.done), int(progress.total));
}

void FileEraserViewController::erasureEnded() {
    // The run has written the history entry already; what is left is to show the result.
    m_eraserTimer.stop();
    tick();
    setErasing(false);
    if (m_inProgressWindow && m_progressView) {
        AttachedWindow::dismiss(m_progressView);
        return; // startErasure goes on once the window's loop has ended
    }
    if (!m_inProgressWindow)
        QTimer::singleShot(0, this, &FileEraserViewController::showResultAndFinish);
}

QList<FileObjPtr> FileEraserViewController::takeResults(const EraseReport& report) {
    QList<FileObjPtr> gone;
    for (const EraseReport::Line& line : report.lines) {
        const FileObjPtr original = m_originals.value(line.item->nativePath());
        if (!original)
            continue;
        original->failStr = line.item->failStr;
        original->eraserLevel = line.item->eraserLevel;
        original->result = line.item->result;
        if (!line.stillPresent)
            gone.append(original);
    }
    // A selected item the plan left out because it is no longer there goes as well.
    for (const FileObjPtr& original : std::as_const(m_originals)) {
        struct stat st {};
        if (!gone.contains(original) && ::lstat(original->nativePath().constData(), &st) != 0)
            gone.append(original);
    }
    m_originals.clear();
    return gone;
}

void FileEraserViewController::showResultAndFinish() {
    if (!m_operation)
        return;
    const EraseReport& report = m_operation->eraseReport();
    // Only what is gone leaves the list: what failed, or a cancel left untouched or partly
    // done, stays (in order, with the unselected items) so that the user can erase it again.
    m_deleteErrorArr = takeResults(report);
    QList<FileObjPtr> remaining;
    for (const FileObjPtr& item : m_valueArr)
        if (!m_deleteErrorArr.contains(item))
            remaining.append(item);
    m_valueArr = remaining;
    listChanged();

    QWidget* result = nullptr;
    if (!report.allErased() || m_isCancel) {
        result = new FileEraserFailViewController(report.erasedCount(), report.failedCount(),
                                                  m_isCancel || report.cancelled,
                                                  report.problemLines(), report.fileCounts());
    } else {
        QStringList copyOnWrite;
        for (const EraseReport::Line& line : report.lines)
            if (line.copyOnWrite)
                copyOnWrite << line.item->url;
        QString note =
            copyOnWrite.isEmpty()
                ? QString()
                : tr("Earlier copies may remain on the copy-on-write volume of %1: wipe its free "
                     "space as well (Erase Free Space) to remove them.")
                      .arg(copyOnWrite.join(QStringLiteral(", ")));
        if (const QStringList journal = report.namesInJournal(); !journal.isEmpty())
            note += (note.isEmpty() ? QString() : QStringLiteral(" ")) +
                    EraseReport::journalNote(journal);
        // Erased but missing from the history: an audit would not find it, so say so.
        if (!report.historyRecorded)
            note += (note.isEmpty() ? QString() : QStringLiteral(" ")) +
                    tr("The erasure could not be recorded in the history: %1.")
                        .arg(DoDataBase::returnDoDataBase()->lastStatus().reason());
        // One volume to name: the result offers to wipe its free space right away.
        const QStringList volumes = report.copyOnWriteVolumes();
        auto* success = new FileEraserSuccessViewController(
            report.erasedCount(), note, volumes.size() == 1 ? volumes.first() : QString());
        connect(success, &FileEraserSuccessViewController::freeSpaceWipeChosen, this,
                &FileEraserViewController::freeSpaceWipeRequested, Qt::QueuedConnection);
        result = success;
    }
    AttachedWindow::run(result, this);
    refreshHistoryButton();
    emit erasureFinished();
}

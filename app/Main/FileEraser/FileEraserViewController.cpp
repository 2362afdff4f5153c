#include "app/Main/FileEraser/FileEraserViewController.h"

#include "app/Comm/PublicUtilities.h"
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
    if (m_job)
        m_job->setListener(nullptr);
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
    if (m_erasing || paths.isEmpty())
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
    if (m_erasing)
        return;
    if (m_newPathStr.isEmpty() || !QFileInfo(m_newPathStr).isDir())
        m_newPathStr = userHomeFolder();
    const QStringList paths = FileEraserOpenPanel::choose(this, &m_newPathStr);
    addPaths(paths);
}

void FileEraserViewController::emptyList() {
    if (m_erasing)
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
    if (m_erasing)
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
    if (m_erasing)
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
    if (m_erasing)
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
    // What the user is asked before erasing: the volumes that keep copies, and, a second time,
    // the home and system folders and mount points among the items.
    ErasePathCheck check;
    QStringList copyOnWrite;
    QStringList protectedItems;
    for (const FileObjPtr& item : m_valueArr) {
        if (!item->isSelect)
            continue;
        const ErasePathCheck::Result verdict = check.check(item->nativePath());
        if (verdict.copyOnWrite || item->onCopyOnWrite)
            copyOnWrite << item->url;
        if (verdict.verdict == ErasePathCheck::Verdict::NeedsConsent)
            protectedItems << ErasePathCheck::message(verdict);
    }
    QStringList warnings;
    if (!copyOnWrite.isEmpty())
        warnings << EraseReport::copyOnWriteWarning(copyOnWrite);
    auto* confirm =
        new MakeSureFileEraserViewControoler(selected, PublicUtilities::getEraserTimes(), warnings);
    if (AttachedWindow::run(confirm, this) != QDialog::Accepted)
        return;
    if (!protectedItems.isEmpty() &&
        AttachedWindow::run(new MakeSureEraseProtectedViewController(protectedItems), this) !=
            QDialog::Accepted)
        return;
    startErasure(!protectedItems.isEmpty());
}

void FileEraserViewController::setErasing(bool erasing) {
    m_erasing = erasing;
    m_dragView->setAcceptingDrops(!erasing);
    m_listView->setAcceptingDrops(!erasing);
    if (m_owner)
        m_owner->canChangeType(!erasing);
}

void FileEraserViewController::startErasure(bool consented) {
    m_isCancel = false;
    m_deleteErrorArr.clear();
    if (m_job) {
        m_job->setListener(nullptr);
        m_job->deleteLater();
    }
    EraseJob::Options options;
    options.consented = consented;
    m_job = new EraseJob(options, this);
    m_job->setListener(this);

    auto* progress = new FileEraserProgressViewController(PublicUtilities::getEraserTimes());
    m_progressView = progress;
    connect(progress, &FileEraserProgressViewController::cancelRequested, this,
            &FileEraserViewController::cancelErasure);

    setErasing(true);
    m_eraserTimeR = 0;
    m_clock.start();
    m_eraserTimer.start();
    tick();
    // The job starts from the event loop, which the progress window's loop provides.
    m_job->start(m_valueArr);
    m_workCount = int(m_job->workList().size());
    if (m_erasing) {
        m_inProgressWindow = true;
        AttachedWindow::run(progress, this);
        m_inProgressWindow = false;
    } else {
        delete progress;
    }
    if (m_erasing) {
        // The window went away without the job ending (the application is quitting): stop the
        // job; its end finishes the erasure.
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
    if (!m_erasing || !m_job)
        return;
    m_isCancel = true;
    if (m_progressView)
        m_progressView->showCancelling();
    m_job->cancel();
}

void FileEraserViewController::eraseProgress(float percent, const QString& path, int index,
                                             int total) {
    if (m_progressView && index < total)
        m_progressView->setProgress(percent, path, index, total);
}

void FileEraserViewController::eraseFinished(const EraseReport&) {
    // The job has written the history entry already; what is left is to show the result.
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

void FileEraserViewController::showResultAndFinish() {
    const EraseReport& report = m_job->report();
    // Only what is gone leaves the list: what failed, or a cancel left untouched or partly
    // done, stays (in order, with the unselected items) so that the user can erase it again.
    m_deleteErrorArr.clear();
    for (const EraseReport::Line& line : report.lines)
        if (!line.stillPresent)
            m_deleteErrorArr.append(line.item);
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

#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

class DeleteDuplicatesOperation;
class DuplicateDeleteProgressViewController;
class DuplicateResultView;
class DuplicateSearchView;
class DuplicateStartView;
class ModuleOwner;
class OperationRunner;
class QStackedWidget;
class QThread;
class duplicateFind;

// The duplicate finder module: the start page (folder and options), the search page while one
// search runs on a thread of its own (progress and path polled, "Stop"), and the result page
// with the choice of copies; removal is the duplicate deletion operation, planned and run on
// the windows' runner after a confirmation, with a progress view and an end view. Each search and
// each removal gets new work objects.
class DuplicateViewController : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPollMilliseconds = 200;

    explicit DuplicateViewController(ModuleOwner* owner, QWidget* parent = nullptr);
    ~DuplicateViewController() override;

    void startSearch(const QString& folder, bool searchHidden, bool searchSystem);
    void stopSearch();
    // Asks for confirmation, then removes the copies chosen in the result page.
    void removeChosenCopies();
    void showStart();

    bool isSearching() const { return m_thread != nullptr; }
    bool isRemoving() const { return m_removal != nullptr; }
    DuplicateStartView* startView() const { return m_startView; }
    DuplicateSearchView* searchView() const { return m_searchView; }
    DuplicateResultView* resultView() const { return m_resultView; }
    QStackedWidget* pages() const { return m_pages; }

signals:
    void searchFinished();
    // A removal begins, shown in VIEW.
    void removalStarted(DuplicateDeleteProgressViewController* view);
    void removalFinished();

private:
    void poll();
    void searchEnded();
    void removalEnded();
    void endRemoval();

    ModuleOwner* m_owner;
    QStackedWidget* m_pages;
    DuplicateStartView* m_startView;
    DuplicateSearchView* m_searchView;
    DuplicateResultView* m_resultView;
    QTimer m_poll;
    QString m_folder;
    std::shared_ptr<duplicateFind> m_finder;
    QThread* m_thread = nullptr;
    OperationRunner* m_runner;
    std::shared_ptr<DeleteDuplicatesOperation> m_removal;
    QPointer<DuplicateDeleteProgressViewController> m_progress;
};

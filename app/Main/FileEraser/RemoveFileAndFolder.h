#pragma once

#include "app/Main/FileEraser/FileObj.h"
#include "app/Main/FileEraser/RemoveFileAndFolderDelegate.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>

// The secure-deletion task: removes an ordered list of erase items one at a time. Every item
// goes to one "srm --batch" process that erases them singly in list order and answers one
// result line per item: a file is overwritten and removed, a link removed as a link, a folder
// removed once it is empty. The caller lists every folder after all of its content. Each item
// ends "Success" (erased, or already gone) or "Fail", with its typed result and the tool's
// reason in `result`, and the standard it really got in `eraserLevel`.
//
// The work starts when control returns to the event loop, so a caller may open its modal window
// after starting; the task never blocks that loop: it advances as the tool's result lines
// arrive, and only its own tool process can advance or end it.
class RemoveFileAndFolder : public QObject {
    Q_OBJECT
public:
    // PROGRAMNAME selects whose user defaults hold the erasure level ("EraserTimes"): the main
    // program's by default, the loader's for the loader's own window.
    explicit RemoveFileAndFolder(QString programName = QString(), QObject* parent = nullptr);
    ~RemoveFileAndFolder() override;

    // The caller that hears of progress, failures and the end; not owned.
    void setDelegate(RemoveFileAndFolderDelegate* delegate) { m_delegate = delegate; }

    // Starts processing ITEMS from the first one (replacing any earlier list).
    void benginToTraskWithArr(const QList<FileObjPtr>& items);
    // Cancels: the tool is asked to stop (it finishes the pass under way, skips the remaining
    // passes and removes that file, reported as Stopped) and the end is reported once it has
    // stopped; items not yet reached are neither touched nor listed.
    void isCancel();
    bool cancelled() const { return m_cancel; }
    bool isRunning() const { return m_running; }

    // The stored erasure level of this task's program, at least 1, unless a level was given.
    int getEraserTimes() const;
    // Erases with LEVEL instead of the stored one (the command line's --level); 0 clears it.
    void setEraserTimes(int level) { m_levelOverride = level; }
    // Write-permission check: opening PATH for writing; when that is refused, the owner is given
    // read and write (0600). Fails only when that change fails too.
    static bool checkPermissions(const QString& path);

    const QList<FileObjPtr>& allFilesArr() const { return m_allFilesArr; }
    const QList<FileObjPtr>& deleteErrorArr() const { return m_deleteErrorArr; }
    int idx() const { return m_idx; }

private:
    void startRun(quint64 generation);
    void readResults();
    void applyResult(const QByteArray& line);
    void toolEnded(QProcess* process, const QString& why);
    void failAll(EraseItemResult::Reason reason, const QString& message);
    void mark(const FileObjPtr& item, EraseItemResult::Outcome outcome,
              EraseItemResult::Reason reason, const QString& message);
    bool doneErasing();
    void reportProgress();
    void finish();
    void confirmRemovals();
    void stopTool();

    QString m_programName;
    RemoveFileAndFolderDelegate* m_delegate = nullptr;
    QProcess* m_pEraser = nullptr;
    QByteArray m_pending; // result output not yet ended by a newline
    QList<FileObjPtr> m_allFilesArr;
    QList<FileObjPtr> m_deleteErrorArr;
    QList<int> m_claimedGone; // indexes the tool said removed: looked at when it has ended
    int m_level = 1;
    int m_loggedLines = 0;
    bool m_cancel = false;
    bool m_running = false;
    int m_idx = 0;
    int m_levelOverride = 0;
    quint64 m_generation = 0; // ignores queued work of an earlier run
};

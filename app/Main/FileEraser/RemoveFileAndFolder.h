#pragma once

#include "app/Main/FileEraser/FileObj.h"
#include "app/Main/FileEraser/RemoveFileAndFolderDelegate.h"

#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>

// The secure-deletion task: removes an ordered list of erase items one at a time on the thread
// that owns it. A file with content is overwritten and removed by the "srm" tool, one child
// process per file; an empty file, an emptied folder, an application bundle and a symbolic link
// are removed directly. Each item ends as "Success" (the path is gone and, for the tool, it ended
// with status 0) or "Fail". The caller lists every folder after all of its content.
//
// The work starts when control returns to the event loop, so a caller may open its modal window
// after starting; the task never blocks that loop while a tool runs. Items removed directly are
// handled in a loop (never by recursion) in short slices between which events are processed.
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
    // Cancels: the running tool is terminated and the end is reported once it has stopped;
    // items not yet reached are neither touched nor listed.
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
    enum class Outcome { Done, WaitingForTool };

    void startRun(quint64 generation);
    void continueRun();
    Outcome runTaskWithPath();
    Outcome removeFolder(const FileObjPtr& item, const QString& path);
    Outcome removeDirectly(const FileObjPtr& item, const QString& path);
    Outcome startTool(const FileObjPtr& item, const QString& path);
    void toolEnded(QProcess* process, bool exitedWell);
    bool doneErasing();
    void reportProgress();
    void markFail(const FileObjPtr& item);
    void finish();
    void stopTool();

    QString m_programName;
    RemoveFileAndFolderDelegate* m_delegate = nullptr;
    QProcess* m_pEraser = nullptr;
    QString m_filePathStr;
    bool m_itemFailedEarly = false; // the running item's permission checks already failed
    QList<FileObjPtr> m_allFilesArr;
    QList<FileObjPtr> m_deleteErrorArr;
    bool m_cancel = false;
    bool m_running = false;
    int m_idx = 0;
    int m_levelOverride = 0;
    quint64 m_generation = 0; // ignores queued work of an earlier run
};

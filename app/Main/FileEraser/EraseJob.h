#pragma once

#include "app/Certificate/ErasureFacts.h"
#include "app/Main/FileEraser/ErasePathCheck.h"
#include "app/Main/FileEraser/EraseReport.h"
#include "app/Main/FileEraser/FileObjBuilder.h"
#include "app/Main/FileEraser/RemoveFileAndFolderDelegate.h"

#include <QHash>
#include <QObject>
#include <optional>

class RemoveFileAndFolder;

// What an erasure job tells its front end. Every operation has an empty default body.
class EraseJobListener {
public:
    virtual ~EraseJobListener() = default;
    // Before each item: progress in percent, the item's path, its index among TOTAL items; once
    // more at the end with 100 and INDEX equal to TOTAL.
    virtual void eraseProgress(float percent, const QString& path, int index, int total) {
        Q_UNUSED(percent);
        Q_UNUSED(path);
        Q_UNUSED(index);
        Q_UNUSED(total);
    }
    // Once, when the run is over and its history entry is written.
    virtual void eraseFinished(const EraseReport& report) { Q_UNUSED(report); }
};

// The one erasure of files and folders that every front end runs (the window, `korvane erase`,
// the loader's window): the chosen items are checked again (ErasePathCheck), expanded by the
// shared walk (FileObjBuilder), erased by the secure-deletion task (RemoveFileAndFolder: one
// srm process, a typed result per item), judged by one rule, recorded in the history in one
// transaction as soon as the run ends, and handed back as an EraseReport. A front end only
// turns its input into chosen items and shows progress and the report; it decides no outcome.
//
// The rule: a chosen item is "Erased" only when every entry in it was overwritten and removed
// and its path is gone; otherwise it is "Failed", with what failed inside it and why. A cancel
// makes two more: "NotReached" when nothing in it had been begun (it is untouched), "Stopped"
// when part of it is gone and nothing in it failed. Each item counts its files by outcome.
// A cancel lets the file being overwritten (or the batch of small files overwritten together)
// finish its pass and go (srm's rule), so no file is ever left half overwritten under its own
// name.
class EraseJob : public QObject, public RemoveFileAndFolderDelegate {
    Q_OBJECT
public:
    struct Options {
        QString programName; // whose stored level ("EraserTimes"); the main program's if empty
        int level = 0;       // a level chosen for this run; 0 for the stored one
        bool recordHistory = true;
        // The module the history files the run under ("WipeFile" when empty).
        QString historyType;
        // The user has agreed, a second time, to erase the home and system folders and mount
        // points among the chosen items. Without it those are refused.
        bool consented = false;
        FileObjBuilder::SolidStateTest solidState = FileObjBuilder::systemSolidStateTest();
        FileObjBuilder::CopyOnWriteTest copyOnWrite = FileObjBuilder::systemCopyOnWriteTest();
        std::optional<ErasePathCheck::Protected> protectedPaths; // the program's own by default
    };

    explicit EraseJob(Options options, QObject* parent = nullptr);
    ~EraseJob() override;

    void setListener(EraseJobListener* listener) { m_listener = listener; }

    // The level this job erases with (its pass count), at least 1.
    int level() const { return m_level; }
    // The builder that makes chosen items with this job's medium checks.
    FileObjBuilder& builder() { return m_builder; }

    // Starts erasing CHOSEN (their selected items). The work begins once control returns to the
    // event loop; the end is reported to the listener even when nothing could be erased.
    void start(const QList<FileObjPtr>& chosen);
    // The same with the work list already expanded from CHOSEN (ahead of the run, by another
    // builder) and what that expansion could not read: the chosen items are checked again, and
    // what lies under a refused one is left out.
    void startPlanned(const QList<FileObjPtr>& chosen, const QList<FileObjPtr>& work,
                      const QList<FileObjBuilder::PlanProblem>& planProblems = {});
    void cancel();
    bool isRunning() const { return m_running; }
    bool cancelRequested() const { return m_cancel; }

    const EraseReport& report() const { return m_report; }
    // The expanded work list of the run, in erasing order.
    const QList<FileObjPtr>& workList() const { return m_work; }

    // RemoveFileAndFolderDelegate
    void removeProgress(float progress, const QString& path, int index) override;
    void removeObjEnd(const QList<FileObjPtr>& processed) override;

private:
    QList<FileObjPtr> checkChosen(const QList<FileObjPtr>& chosen);
    void begin(const QList<FileObjPtr>& work);
    void finish();
    void judge();
    void recordHistory();

    Options m_options;
    int m_level = 1;
    FileObjBuilder m_builder;
    RemoveFileAndFolder* m_task = nullptr;
    EraseJobListener* m_listener = nullptr;
    QList<FileObjPtr> m_work;
    QList<FileObjBuilder::PlanProblem> m_plannedProblems; // of an expansion done ahead
    QHash<QByteArray, int> m_lineByAnchor;
    EraseReport m_report;
    ErasureFacts m_facts; // begun with the run, completed and recorded with its history entry
    bool m_running = false;
    bool m_cancel = false;
};

#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// The one contract of every operation that destroys or changes data: erasing files, wiping
// free space or a whole volume, uninstalling, cleaning browser data, deleting duplicates,
// copying, formatting, renaming, mounting, unmounting, ejecting, deleting history entries.
//
//   plan()    fast and without side effect: what would be done (the items, their bytes, the
//             standard), what is refused and why, which consents the user must give and what
//             the user should know. Nothing is written, unmounted, closed or killed.
//   (ask)     the front end shows the plan and asks; nothing happens unless the user said yes.
//   run()     checks everything again (time has passed since the plan), does the work on the
//             calling thread, reports typed progress, stops within a second of a stop request
//             (an item being overwritten is finished first: never left half-written under its
//             own name) and returns a typed report.
//   report    one line per item with its outcome and reason as enums and its bytes as integers;
//             cancelled; whether the history took its entry. Front ends make their texts from
//             it, and the exit status of `korvane` is ok() or not.
//
// Runners (OperationRunner for the windows, CliOperationRunner for `korvane`) run plan and run
// on a worker thread or the command's own, ask the one question and turn the report into text;
// they never decide an outcome.
class DestructiveOperation {
    Q_DECLARE_TR_FUNCTIONS(DestructiveOperation)

public:
    enum class Kind {
        EraseFiles,
        WipeFreeSpace,
        WipeVolume,
        WipeDrive,
        Uninstall,
        CleanBrowsers,
        DeleteDuplicates,
        CopyFiles,
        Format,
        Rename,
        Mount,
        Unmount,
        Eject,
        DeleteHistory,
        ClearHistory,
    };

    // Why an item (or the whole operation) is refused outright: no consent changes these.
    enum class Refusal {
        Missing,      // nothing there (any more)
        BadInput,     // an empty path, "." or "..", a name the file system cannot hold
        ProgramFiles, // the program's own bundle, tools or history
        SystemFolder, // "/" itself
        SystemVolume, // the volume or disk the running system needs
        ReadOnly,     // the volume cannot be written
        NoPermission, // the user may not do it
        Busy,         // another run holds it (a second wipe of the same volume)
        Unsupported,  // this kind of file system or medium is not handled (NTFS)
        UnknownLevel, // no erasure standard has that many passes
        NotAllowed,   // a rule of the operation forbids it (the last copy of a duplicate)
        Failed,       // the check itself failed (the tool is missing, the database locked)
    };

    // What the user must agree to, a second time and by name, before the run may touch it.
    enum class Consent {
        ProtectedFolder, // a folder the system needs, or a mount point
        HomeFolder,      // an account's home folder
        HoldsHomes,      // a folder that holds accounts' home folders
        RunningBrowser,  // a browser that must be closed first
        PackagesWithIt,  // packages that go with the one removed
        UnmountVolumes,  // mounted volumes that are unmounted for the run
        Irreversible,    // every destructive run: "this cannot be undone"
    };

    // What the user should know before saying yes, without having to agree separately.
    enum class Warning {
        CopyOnWrite,      // earlier copies may remain on a copy-on-write volume
        SolidState,       // overwriting solid-state storage cannot reach remapped blocks
        FewerPasses,      // some items get fewer passes than the standard (solid state)
        ReplacesExisting, // existing files are replaced
        Interrupted,      // an interrupted run was found, or is gone on with
        Other,
        WipeMethod, // how a drive is wiped: its firmware's erase (Purge) or an overwrite (Clear)
        HiddenArea, // an area past a drive's visible end (host protected area, overlay)
    };

    enum class Stage { Planning, Preparing, Overwriting, Removing, Copying, Verifying, Finishing };

    enum class Outcome {
        Done,       // done completely
        Failed,     // not done, or done only in part
        Refused,    // not begun: a refusal or a missing consent
        Stopped,    // a stop request ended the run inside it: part of it is done
        NotReached, // a stop request ended the run before it: untouched
        Skipped,    // left alone on purpose (an existing file kept, a mount point left standing)
    };

    // Why an item was not done, as a type; the item's detail says it in words.
    enum class Reason {
        None,         // done, or left alone on purpose
        Refused,      // refused before the run (the item's refusal says why)
        NotConfirmed, // the user did not agree
        Stopped,      // a stop request ended the run before or inside it
        InUse,        // another program holds it (a running browser, a locked database)
        Unreachable,  // its data stays reachable where the run cannot go (another hard link,
                      // another volume)
        Changed,      // it changed or went between the plan and the run
        ToolFailed,   // a tool or system call failed
    };
    static Reason reasonFor(Outcome outcome);

    struct Refused {
        QString subject; // the item or volume, as shown
        Refusal reason = Refusal::Failed;
        QString detail; // the words for the user (already the program's message)
    };
    struct ConsentNeeded {
        Consent consent = Consent::Irreversible;
        QString subject;
        QString detail;
    };
    struct Note {
        Warning warning = Warning::Other;
        QString detail;
    };

    struct Plan {
        Kind kind = Kind::EraseFiles;
        QStringList items;  // the subjects the run would act on, as shown
        qint64 entries = 0; // files and folders inside them, where that is counted
        quint64 bytes = 0;  // their bytes, where that is counted
        int level = 0;      // the erasure standard's passes, 0 when none is used
        QString standard;   // its name
        QList<Refused> refusals;
        QList<ConsentNeeded> consents;
        QList<Note> notes;
        bool stopped = false; // planning was stopped: the plan is incomplete and not runnable

        bool needs(Consent consent) const;
        // True when there is something to do. A refused item is never touched; whether the rest
        // may run is the front end's question to the user: a window shows the refusals before
        // its question, the command line (whose --yes was given before anything was seen) runs
        // nothing when anything is refused.
        bool runnable() const { return !stopped && !items.isEmpty(); }
    };

    // The consents the user gave, by kind; Irreversible is the plain "yes".
    class Consents {
    public:
        Consents() = default;
        static Consents all();
        Consents& give(Consent consent);
        bool given(Consent consent) const { return (m_bits & bit(consent)) != 0; }
        // Every consent PLAN asks for was given.
        bool cover(const Plan& plan) const;

    private:
        static unsigned bit(Consent consent) { return 1u << unsigned(consent); }
        unsigned m_bits = 0;
    };

    // Shared between the runner that may ask for a stop and the run that polls it.
    class StopToken {
    public:
        StopToken() : m_flag(std::make_shared<std::atomic_bool>(false)) {}
        void requestStop() const { m_flag->store(true); }
        bool stopRequested() const { return m_flag->load(); }
        // The flag itself, for jobs that poll an atomic_bool.
        const std::atomic_bool& flag() const { return *m_flag; }
        // The flag for a signal handler, which may do no more than store to an atomic.
        std::atomic_bool* signalFlag() const { return m_flag.get(); }

    private:
        std::shared_ptr<std::atomic_bool> m_flag;
    };

    struct Progress {
        Stage stage = Stage::Planning;
        qint64 done = 0;  // items or bytes, as TOTAL counts them
        qint64 total = 0; // 0 while not known
        int pass = 0;     // for overwriting: the pass under way, from 1, of PASSES
        int passes = 0;
        QString subject;      // the item under way, as shown
        bool inBytes = false; // DONE and TOTAL count bytes (a speed and a time left can be told)
    };
    using ProgressSink = std::function<void(const Progress&)>;

    struct Item {
        Item() = default;
        // REASON follows OUTCOME unless given.
        Item(QString subject, Outcome outcome, QString detail = QString(), quint64 bytes = 0,
             std::optional<Reason> reason = std::nullopt)
            : subject(std::move(subject)), outcome(outcome), detail(std::move(detail)),
              bytes(bytes), reason(reason.value_or(reasonFor(outcome))) {}

        QString subject;
        Outcome outcome = Outcome::Failed;
        QString detail; // why, in the program's words; empty when done
        quint64 bytes = 0;
        Reason reason = Reason::ToolFailed;
        std::optional<Refusal> refusal; // for a refused item: why, as a type
    };

    struct Report {
        Kind kind = Kind::EraseFiles;
        QList<Item> items;
        bool cancelled = false;
        int level = 0; // the standard that ran (passes), 0 when none
        QString standard;
        QString failure;         // why the operation as a whole failed, when it did
        bool historyDue = false; // the operation writes a history entry
        bool historyRecorded = false;
        QStringList notes; // what the user should know besides

        int count(Outcome outcome) const;
        quint64 bytes(Outcome outcome) const;
        // Everything planned was done, nothing was cancelled, and the history holds the entry
        // where one is due.
        bool ok() const;
    };

    virtual ~DestructiveOperation() = default;
    virtual Kind kind() const = 0;
    // What a run would do, without doing any of it. STOP ends a long planning early (the plan
    // says stopped); PROGRESS hears Stage::Planning with the entries counted so far.
    virtual Plan plan(const StopToken& stop, const ProgressSink& progress) = 0;
    // Does PLAN with the CONSENTS the user gave; an item whose consent is missing is refused.
    virtual Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
                       const ProgressSink& progress) = 0;

    // Which consents a run needs before it begins: every one the plan lists, or only the plain
    // yes (the others then decide item by item what is left alone).
    enum class ConsentRule { Every, PlainYes };
    // The report of a run that must not begin (nothing to do, the consents missing, a stop
    // asked for already), NOTHINGDONE saying so; none when the run may begin.
    static std::optional<Report> refuseToBegin(const Plan& plan, const Consents& consents,
                                               const StopToken& stop, ConsentRule rule,
                                               const QString& nothingDone);
    // The report of a run that did not begin: every item of PLAN refused or not reached.
    static Report notRun(const Plan& plan, const QString& why,
                         Reason reason = Reason::NotConfirmed);
    // The report of a run whose stop was asked for before it began: nothing done, cancelled.
    static Report stoppedBeforeRun(const Plan& plan);
    // Adds the refusals of PLAN to REPORT as refused items (a report names every item asked).
    static void addRefusals(Report& report, const Plan& plan);
};

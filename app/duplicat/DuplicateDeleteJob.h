#pragma once

#include "app/Main/FileEraser/EraseJob.h"
#include "app/duplicat/Duplicate/DuplicateGroup.h"
#include "app/duplicat/DuplicatePick.h"
#include "app/inter/DoDataBase.h"
#include "platform/UserAccount.h"

#include <QList>
#include <QObject>
#include <QString>
#include <atomic>
#include <optional>

// The one deletion of chosen duplicates that the window and `korvane duplicates --delete` run.
// The picks are checked again (a group never loses all its copies; a copy that shares storage
// with a kept one is not deleted); before a copy is deleted its content is compared byte for byte
// with a copy that stays, and a copy that differs (a digest collision, or changed since the
// search) or is no longer the file that was found stays and is reported. Removal is the user's
// choice: the freedesktop Trash of the user the program works for (the default), removal with
// the fallback to administrator rights (EuAuthorization::synFastRemovePath), or secure erasure
// through the erasure job. The report says what was removed, what failed and the space freed.
class DuplicateDeleteJob : public QObject, public EraseJobListener {
    Q_OBJECT
public:
    enum class Method { Trash, Remove, Erase };
    // Kept: left on purpose (it differs, or is no longer the file found); NotReached: a stop
    // came before it.
    enum class Outcome { Removed, Failed, Kept, NotReached };

    // An erasure is recorded like every other, filed under the duplicate finder.
    static EraseJob::Options recordedErasure() {
        EraseJob::Options o;
        o.historyType = DoDataBase::kTypeDuplicates;
        return o;
    }

    struct Options {
        Method method = Method::Trash;
        std::optional<UserAccount> trashUser;        // the invoking user when empty
        EraseJob::Options erase = recordedErasure(); // for Method::Erase
    };

    struct Line {
        fileAttrbItemPtr file;
        QString keptCopy; // the copy it was compared with
        Outcome outcome = Outcome::Failed;
        QString why;
        std::uint64_t bytesFreed = 0;
    };

    struct Report {
        QList<Line> lines;
        Method method = Method::Trash;
        bool cancelled = false;
        bool historyDue = false; // files were erased: the history takes an entry
        bool historyRecorded = false;
        int removed() const;
        int failed() const;
        std::uint64_t bytesFreed() const;
        QStringList failureLines() const; // "path: why"
    };

    struct Planned {
        fileAttrbItemPtr file;
        fileAttrbItemPtr reference;
    };
    // What MARKS ask, after the rules: the copies to delete, each with its kept copy.
    static QList<Planned> plan(const QList<DuplicateGroup>& groups,
                               const QList<DuplicatePick::Marks>& marks);

    explicit DuplicateDeleteJob(Options options, QObject* parent = nullptr);
    ~DuplicateDeleteJob() override;

    // Starts the deletion; the work runs off the calling thread (erasure on its event loop).
    void start(const QList<DuplicateGroup>& groups, const QList<DuplicatePick::Marks>& marks);
    void cancel();
    // A flag that stops the run like cancel(), read between copies (a signal handler may set
    // it; cancel() needs the job's thread).
    void setStopRequest(const std::atomic_bool* stop) { m_stopRequest = stop; }
    bool isRunning() const { return m_running; }
    const Report& report() const { return m_report; }

    static QString methodName(Method method);
    static std::optional<Method> methodFromName(const QString& name);

    // EraseJobListener
    void eraseProgress(float percent, const QString& path, int index, int total) override;
    void eraseFinished(const EraseReport& report) override;

signals:
    void progress(int done, int total, const QString& path);
    void finished();

private:
    void work(QList<Planned> items);
    void startErasure();
    void finish();
    bool stopAsked() const { return m_cancel || (m_stopRequest && m_stopRequest->load()); }

    Options m_options;
    Report m_report;
    QList<int> m_toErase; // lines verified and waiting for the erasure job
    EraseJob* m_erase = nullptr;
    std::atomic<bool> m_cancel{false};
    const std::atomic_bool* m_stopRequest = nullptr;
    bool m_running = false;
};

#include "app/Main/FileEraser/RemoveFileAndFolder.h"

#include "app/Comm/UserDefaults.h"
#include "app/Main/FileEraser/SrmTool.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "platform/BundleLocator.h"
#include "platform/ChildProcessTie.h"
#include "platform/Logger.h"

#include <QFile>
#include <QHash>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Lines the tool writes on standard error that are copied to the log, per run.
constexpr int kLoggedToolLines = 200;

using Outcome = EraseItemResult::Outcome;
using Reason = EraseItemResult::Reason;

Reason reasonFromWord(const QByteArray& word) {
    static const QHash<QByteArray, Reason> reasons = {
        {"-", Reason::None},
        {"hardlink", Reason::HardLinked},
        {"mount", Reason::MountPoint},
        {"special", Reason::SpecialFile},
        {"notempty", Reason::NotEmpty},
        {"changed", Reason::Changed},
        {"blocks", Reason::BlocksSkipped},
        {"cancelled", Reason::Cancelled},
        {"error", Reason::ToolError},
    };
    return reasons.value(word, Reason::ToolError);
}

} // namespace

RemoveFileAndFolder::RemoveFileAndFolder(QString programName, QObject* parent)
    : QObject(parent), m_programName(programName.isEmpty() ? BundleLocator::kMainProgramName
                                                           : std::move(programName)) {}

RemoveFileAndFolder::~RemoveFileAndFolder() {
    stopTool();
}

int RemoveFileAndFolder::getEraserTimes() const {
    if (m_levelOverride > 0)
        return m_levelOverride;
    return EraserStandard::effectiveLevel(UserDefaults(m_programName).eraserTimes());
}

bool RemoveFileAndFolder::checkPermissions(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    // Non-blocking so that a FIFO cannot hang the check; never through a final link.
    const int fd =
        ::open(native.constData(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    if (errno != EACCES)
        return true;
    // Never through a link either: a name swapped for a link meanwhile must not hand the
    // link's target to its owner-only mode.
    return ::fchmodat(AT_FDCWD, native.constData(), S_IRUSR | S_IWUSR, AT_SYMLINK_NOFOLLOW) == 0;
}

void RemoveFileAndFolder::benginToTraskWithArr(const QList<FileObjPtr>& items) {
    stopTool();
    m_idx = 0;
    m_deleteErrorArr.clear();
    m_claimedGone.clear();
    m_allFilesArr = items;
    m_pending.clear();
    m_cancel = false;
    m_running = true;
    const quint64 generation = ++m_generation;
    QMetaObject::invokeMethod(
        this, [this, generation] { startRun(generation); }, Qt::QueuedConnection);
}

void RemoveFileAndFolder::startRun(quint64 generation) {
    if (generation != m_generation || !m_running)
        return;
    if (m_allFilesArr.isEmpty() || m_cancel) {
        finish();
        return;
    }
    const float first = m_allFilesArr.size() == 1 ? 80.0f : 0.0f;
    if (m_delegate)
        m_delegate->removeProgress(first, m_allFilesArr.first()->url, 0);

    QString problem;
    const QString tool = SrmTool::locate(&problem);
    if (tool.isEmpty()) {
        Logger::log(QStringLiteral("srm not started: %1").arg(problem));
        failAll(Reason::ToolMissing, problem);
        return;
    }

    // Each record: the option word of the item's standard (one pass on solid state), the path
    // the user chose and the item's path below it.
    m_level = getEraserTimes();
    QByteArray records;
    for (const FileObjPtr& item : m_allFilesArr) {
        records += EraserStandard::srmOptionFor(m_level, item->isSSD).toLatin1();
        records += '\0';
        records += item->anchorPath();
        records += '\0';
        records += item->relativePath();
        records += '\0';
        // The paths the user chose are logged, not each of the many entries below a folder:
        // a syslog call per entry cost more than its erasure on a tree of empty files.
        if (item->topLength < 0)
            Logger::log(QStringLiteral("-------::%1").arg(item->url));
    }
    Logger::log(QStringLiteral("srm: %1 entries to erase").arg(m_allFilesArr.size()));

    auto* process = new QProcess(this);
    m_pEraser = process;
    // Killed or crashed, this program takes srm with it: it stops within one write chunk.
    ChildProcessTie::tieToThisProcess(*process);
    process->setProgram(tool);
    process->setArguments({QStringLiteral("--batch")});
    connect(process, &QProcess::readyReadStandardOutput, this, [this, process] {
        if (process == m_pEraser)
            readResults();
    });
    m_loggedLines = 0;
    connect(process, &QProcess::readyReadStandardError, this, [this, process] {
        for (const QByteArray& line : process->readAllStandardError().split('\n'))
            if (!line.isEmpty() && m_loggedLines++ < kLoggedToolLines)
                Logger::log(QString::fromLocal8Bit(line));
    });
    connect(process, &QProcess::finished, this,
            [this, process](int exitCode, QProcess::ExitStatus status) {
                toolEnded(process, status == QProcess::NormalExit
                                       ? QStringLiteral("it ended with status %1").arg(exitCode)
                                       : QStringLiteral("it crashed"));
            });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // the other errors are followed by finished
        const QString why =
            QStringLiteral("it could not be started: %1").arg(process->errorString());
        // Handled from the event loop, so the run never nests inside start().
        QMetaObject::invokeMethod(
            this, [this, process, why] { toolEnded(process, why); }, Qt::QueuedConnection);
    });
    process->start();
    process->write(records);
    process->closeWriteChannel();
}

void RemoveFileAndFolder::readResults() {
    m_pending += m_pEraser->readAllStandardOutput();
    qsizetype start = 0;
    for (qsizetype end; (end = m_pending.indexOf('\n', start)) >= 0; start = end + 1) {
        applyResult(m_pending.mid(start, end - start));
        if (!m_running)
            return;
    }
    m_pending.remove(0, start);
}

void RemoveFileAndFolder::applyResult(const QByteArray& line) {
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() < 4 || m_idx >= m_allFilesArr.size() || fields[0].toInt() != m_idx) {
        Logger::log(QStringLiteral("srm: unexpected result line: %1").arg(QString::fromUtf8(line)));
        return;
    }
    const FileObjPtr item = m_allFilesArr.at(m_idx);
    const QByteArray& status = fields[1];
    const Reason reason = reasonFromWord(fields[2]);
    const QString message = fields[3] == "-" ? QString() : QString::fromUtf8(fields[3]);
    // The notes field, after the message: "journal", "passes=K/N".
    const QList<QByteArray> notes = fields.size() > 4 ? fields[4].split(',') : QList<QByteArray>();
    int passesDone = 0, passesPlanned = 0;
    for (const QByteArray& note : notes)
        if (note.startsWith("passes=")) {
            const QList<QByteArray> counts = note.mid(7).split('/');
            passesDone = counts.value(0).toInt();
            passesPlanned = counts.value(1).toInt();
        }
    item->eraserLevel = item->isSSD ? 1 : m_level;
    const bool removed = status == "erased" || status == "missing" || status == "stopped";
    if (removed) {
        mark(item, status == "stopped" ? Outcome::Stopped : Outcome::Erased,
             status == "stopped" ? Reason::Cancelled : Reason::None, message);
        m_claimedGone.append(m_idx);
    } else if (status == "skipped")
        mark(item, Outcome::Skipped, reason, message);
    else if (status == "cancelled")
        mark(item, Outcome::Cancelled, Reason::Cancelled, message);
    else
        mark(item, Outcome::Failed, reason, message);
    item->result.namesInJournal = removed && notes.contains("journal");
    item->result.passesDone = passesDone;
    item->result.passesPlanned = passesPlanned;
    m_deleteErrorArr.append(item);
    doneErasing();
}

void RemoveFileAndFolder::toolEnded(QProcess* process, const QString& why) {
    if (process != m_pEraser)
        return; // not the tool of this run
    if (process->bytesAvailable() > 0)
        readResults();
    m_pEraser = nullptr;
    process->disconnect(this);
    process->deleteLater();
    if (!m_running)
        return;
    if (m_idx < m_allFilesArr.size() && !m_cancel) {
        Logger::log(QStringLiteral("srm stopped before the end of its list: %1").arg(why));
        failAll(Reason::ToolStopped,
                QStringLiteral("the erasure tool stopped before reaching it (%1)").arg(why));
        return;
    }
    finish();
}

// Marks every item not processed yet as failed for REASON, as processed, and ends the run.
void RemoveFileAndFolder::failAll(Reason reason, const QString& message) {
    while (m_running && m_idx < m_allFilesArr.size()) {
        const FileObjPtr item = m_allFilesArr.at(m_idx);
        mark(item, Outcome::Failed, reason, message);
        m_deleteErrorArr.append(item);
        doneErasing();
    }
    finish();
}

void RemoveFileAndFolder::mark(const FileObjPtr& item, Outcome outcome, Reason reason,
                               const QString& message) {
    item->result = {outcome, reason, message};
    if (outcome == Outcome::Erased) {
        item->failStr = QStringLiteral("Success");
        return;
    }
    item->failStr = QStringLiteral("Fail");
    if (m_delegate)
        m_delegate->haveFailEraser();
}

bool RemoveFileAndFolder::doneErasing() {
    ++m_idx;
    if (m_idx >= m_allFilesArr.size() || m_cancel)
        return false;
    reportProgress();
    return true;
}

void RemoveFileAndFolder::reportProgress() {
    if (!m_delegate)
        return;
    const qint64 percent = qint64(m_idx) * 100 / m_allFilesArr.size();
    m_delegate->removeProgress(float(percent), m_allFilesArr.at(m_idx)->url, m_idx);
}

// Erased means gone: a path still there after the tool said otherwise is not erased. The paths
// are looked at once the tool has ended, not one by one while it runs (on a tree of many small
// files that cost as much as a good part of the erasure): a chosen path that is gone answers
// for every path below it, which cannot be reached any more. (A path too long to look at by
// name was checked by the tool, which works from folders.)
void RemoveFileAndFolder::confirmRemovals() {
    QHash<QByteArray, bool> anchorGone;
    for (const int index : std::as_const(m_claimedGone)) {
        const FileObjPtr& item = m_allFilesArr.at(index);
        const QByteArray anchor = item->anchorPath();
        auto gone = anchorGone.constFind(anchor);
        struct stat st {};
        if (gone == anchorGone.constEnd())
            gone = anchorGone.insert(anchor, ::lstat(anchor.constData(), &st) != 0);
        if (*gone || ::lstat(item->nativePath().constData(), &st) != 0)
            continue;
        const EraseItemResult claimed = item->result;
        mark(item, Outcome::Failed, Reason::ToolError,
             QStringLiteral("it is still there after the erasure"));
        item->result.passesDone = claimed.passesDone;
        item->result.passesPlanned = claimed.passesPlanned;
    }
    m_claimedGone.clear();
}

void RemoveFileAndFolder::finish() {
    if (!m_running)
        return;
    m_running = false;
    confirmRemovals();
    ::sync();
    // The delegate may let go of this task from here on: nothing of it is touched afterwards.
    if (m_delegate)
        m_delegate->removeObjEnd(m_deleteErrorArr);
}

void RemoveFileAndFolder::isCancel() {
    m_cancel = true;
    // No kill after a delay: the tool finishes the pass under way and removes that file (or
    // batch of small files), which takes as long as one pass over it; killed before, it would
    // leave a file half written under its own name. It answers for them and ends on its own.
    if (m_pEraser)
        m_pEraser->terminate();
}

void RemoveFileAndFolder::stopTool() {
    if (!m_pEraser)
        return;
    QProcess* process = m_pEraser;
    m_pEraser = nullptr;
    process->disconnect(this);
    // Waited for, for the same reason as in isCancel().
    process->terminate();
    process->waitForFinished(-1);
    delete process;
}

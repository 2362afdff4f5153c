#include "app/Main/FileEraser/RemoveFileAndFolder.h"

#include "app/Comm/UserDefaults.h"
#include "app/Main/FileEraser/EraseFileOps.h"
#include "app/Main/FileEraser/SrmTool.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Items removed without the tool are handled in slices of this length, so the caller's window
// keeps repainting and its Cancel button keeps working during a long run of them.
constexpr qint64 kSliceMilliseconds = 40;
// A tool that ignores the request to terminate is killed after this long.
constexpr int kKillAfterMilliseconds = 5000;
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
    m_allFilesArr = items;
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
    continueRun();
}

void RemoveFileAndFolder::continueRun() {
    QElapsedTimer slice;
    slice.start();
    while (m_running) {
        if (m_cancel) {
            finish();
            return;
        }
        if (runTaskWithPath() == Outcome::WaitingForTool)
            return;
        if (!doneErasing()) {
            finish();
            return;
        }
        if (slice.elapsed() >= kSliceMilliseconds) {
            const quint64 generation = m_generation;
            QMetaObject::invokeMethod(
                this,
                [this, generation] {
                    if (generation == m_generation)
                        continueRun();
                },
                Qt::QueuedConnection);
            return;
        }
    }
}

RemoveFileAndFolder::Outcome RemoveFileAndFolder::runTaskWithPath() {
    if (m_idx < 0 || m_idx >= m_allFilesArr.size())
        return Outcome::Done;
    const FileObjPtr item = m_allFilesArr.at(m_idx);
    const QString path = item->url;
    Logger::log(QStringLiteral("-------::%1").arg(path));

    struct stat st {};
    const bool exists = ::lstat(QFile::encodeName(path).constData(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode)) {
        // A link is removed as a link, whatever it points to; its target is never touched.
        return removeDirectly(item, path);
    }
    if (exists && S_ISDIR(st.st_mode))
        return removeFolder(item, path);
    // A file that is empty now is removed directly; one that has grown since the item was built
    // goes to the tool like any file with content.
    const bool emptyNow = exists && S_ISREG(st.st_mode) ? st.st_size == 0 : item->size == 0;
    if (item->size == 0 && emptyNow)
        return removeDirectly(item, path);
    if (exists && !S_ISREG(st.st_mode))
        return removeDirectly(item, path); // FIFO, socket or device node: remove the name only
    return startTool(item, path);
}

RemoveFileAndFolder::Outcome RemoveFileAndFolder::removeFolder(const FileObjPtr& item,
                                                               const QString& path) {
    const bool isBundle = path.endsWith(QLatin1String(".app"));
    const bool isEmpty =
        QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if ((item->isDir && isEmpty) || isBundle) {
        // An application bundle goes whole; an emptied folder goes as itself.
        if (!isBundle)
            EraseFileOps::clearProtectionFlags(path);
        const bool gone =
            isBundle ? EraseFileOps::removeTree(path) : EraseFileOps::removeEntry(path);
        if (gone)
            item->failStr = QStringLiteral("Success");
        else
            markFail(item);
    } else {
        markFail(item); // still holds something that was not erased
    }
    m_deleteErrorArr.append(item);
    return Outcome::Done;
}

RemoveFileAndFolder::Outcome RemoveFileAndFolder::removeDirectly(const FileObjPtr& item,
                                                                 const QString& path) {
    EraseFileOps::clearProtectionFlags(path); // links and special files are left as they are
    if (EraseFileOps::removeEntry(path)) {
        Logger::log(QStringLiteral("rm file sec %1").arg(path));
        item->failStr = QStringLiteral("Success");
    } else {
        Logger::log(QStringLiteral("rm file fail %1").arg(path));
        markFail(item);
    }
    m_deleteErrorArr.append(item);
    return Outcome::Done;
}

RemoveFileAndFolder::Outcome RemoveFileAndFolder::startTool(const FileObjPtr& item,
                                                            const QString& path) {
    const QString option = EraserStandard::srmOptionFor(getEraserTimes(), item->isSSD);
    m_filePathStr = path;
    m_itemFailedEarly = false;
    EraseFileOps::clearProtectionFlags(path);
    // Checked before the tool starts, so that a file made writable here can be overwritten.
    if (EraseFileOps::pathExists(path) &&
        !(EraseFileOps::isDeletable(path) && checkPermissions(path))) {
        Logger::log(QStringLiteral("--没有权限--------%1").arg(path));
        m_itemFailedEarly = true;
        markFail(item);
    }
    m_deleteErrorArr.append(item);

    QString problem;
    const QString tool = SrmTool::locate(&problem);
    if (tool.isEmpty()) {
        Logger::log(QStringLiteral("srm %1 not started: %2").arg(path, problem));
        if (!m_itemFailedEarly)
            markFail(item);
        return Outcome::Done;
    }

    auto* process = new QProcess(this);
    m_pEraser = process;
    process->setProgram(tool);
    process->setArguments({option, path});
    // Output and errors share one channel that nobody reads.
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardInputFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this,
            [this, process](int exitCode, QProcess::ExitStatus status) {
                toolEnded(process, status == QProcess::NormalExit && exitCode == 0);
            });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // the other errors are followed by finished
        Logger::log(QStringLiteral("srm %1 failed to start: %2")
                        .arg(m_filePathStr, process->errorString()));
        // Handled from the event loop, so the run never nests inside start().
        QMetaObject::invokeMethod(
            this, [this, process] { toolEnded(process, false); }, Qt::QueuedConnection);
    });
    process->start();
    return Outcome::WaitingForTool;
}

void RemoveFileAndFolder::toolEnded(QProcess* process, bool exitedWell) {
    if (process != m_pEraser)
        return; // not the tool of the item now running
    m_pEraser = nullptr;
    process->disconnect(this);
    process->deleteLater();

    if (m_idx >= 0 && m_idx < m_allFilesArr.size()) {
        const FileObjPtr item = m_allFilesArr.at(m_idx);
        const bool gone = !EraseFileOps::pathExists(m_filePathStr);
        if (!exitedWell || !gone) {
            Logger::log(
                QStringLiteral("srm %1 failed: %2")
                    .arg(m_filePathStr, exitedWell ? QStringLiteral("the path is still there")
                                                   : QStringLiteral("the tool reported an error")));
            if (!m_itemFailedEarly)
                markFail(item);
        } else if (!m_itemFailedEarly) {
            item->failStr = QStringLiteral("Success");
        }
    }
    if (!doneErasing()) {
        finish();
        return;
    }
    continueRun();
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

void RemoveFileAndFolder::markFail(const FileObjPtr& item) {
    item->failStr = QStringLiteral("Fail");
    if (m_delegate)
        m_delegate->haveFailEraser();
}

void RemoveFileAndFolder::finish() {
    if (!m_running)
        return;
    m_running = false;
    ::sync();
    // The delegate may let go of this task from here on: nothing of it is touched afterwards.
    if (m_delegate)
        m_delegate->removeObjEnd(m_deleteErrorArr);
}

void RemoveFileAndFolder::isCancel() {
    m_cancel = true;
    if (!m_pEraser)
        return;
    QProcess* process = m_pEraser;
    process->terminate();
    QTimer::singleShot(kKillAfterMilliseconds, process, [process] {
        if (process->state() != QProcess::NotRunning)
            process->kill();
    });
}

void RemoveFileAndFolder::stopTool() {
    if (!m_pEraser)
        return;
    QProcess* process = m_pEraser;
    m_pEraser = nullptr;
    process->disconnect(this);
    process->kill();
    process->waitForFinished(2000);
    delete process;
}

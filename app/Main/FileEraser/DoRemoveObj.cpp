#include "app/Main/FileEraser/DoRemoveObj.h"

#include "app/Main/FileEraser/EraseFileOps.h"
#include "app/Main/FileEraser/SrmTool.h"
#include "platform/ChildProcessTie.h"
#include "platform/Logger.h"

DoRemoveObj::DoRemoveObj(QStringList paths, QObject* parent)
    : QObject(parent), m_allFilesArr(std::move(paths)) {
    QMetaObject::invokeMethod(
        this, [this] { runTaskWithPath(); }, Qt::QueuedConnection);
}

DoRemoveObj::~DoRemoveObj() {
    if (m_pEraser) {
        m_pEraser->disconnect(this);
        m_pEraser->kill();
        m_pEraser->waitForFinished(2000);
    }
}

void DoRemoveObj::runTaskWithPath() {
    // A path whose tool cannot be started is passed over in this loop, not by recursion.
    while (m_idx < m_allFilesArr.size()) {
        m_filePathStr = m_allFilesArr.at(m_idx);
        QString problem;
        const QString tool = SrmTool::locate(&problem);
        if (tool.isEmpty()) {
            Logger::log(QStringLiteral("srm %1 not started: %2").arg(m_filePathStr, problem));
            ++m_idx;
            continue;
        }
        EraseFileOps::clearProtectionFlags(m_filePathStr);
        auto* process = new QProcess(this);
        m_pEraser = process;
        ChildProcessTie::tieToThisProcess(*process);
        process->setProgram(tool);
        process->setArguments({QStringLiteral("-fsvrz"), m_filePathStr});
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardInputFile(QProcess::nullDevice());
        connect(process, &QProcess::finished, this, [this, process] { toolEnded(process); });
        connect(process, &QProcess::errorOccurred, this,
                [this, process](QProcess::ProcessError error) {
                    if (error != QProcess::FailedToStart)
                        return;
                    Logger::log(QStringLiteral("srm %1 failed to start: %2")
                                    .arg(m_filePathStr, process->errorString()));
                    QMetaObject::invokeMethod(
                        this, [this, process] { toolEnded(process); }, Qt::QueuedConnection);
                });
        process->start();
        return;
    }
    if (!m_finished) {
        m_finished = true;
        if (m_delegate)
            m_delegate->removeObjEnd();
    }
}

void DoRemoveObj::toolEnded(QProcess* process) {
    if (process != m_pEraser)
        return; // another process of the program: not ours to advance on
    m_pEraser = nullptr;
    process->disconnect(this);
    process->deleteLater();
    ++m_idx;
    runTaskWithPath();
}

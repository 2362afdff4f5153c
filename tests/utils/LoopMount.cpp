#include "LoopMount.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

QString LoopMount::unavailableReason(const QStringList& tools) {
    if (geteuid() != 0)
        return QStringLiteral("needs root to mount images");
    for (const QString& tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty() &&
            QStandardPaths::findExecutable(tool,
                                           {QStringLiteral("/sbin"), QStringLiteral("/usr/sbin")})
                .isEmpty())
            return tool + QStringLiteral(" is not installed");
    return {};
}

bool LoopMount::run(const QString& program, const QStringList& args, QString* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        if (output)
            *output = program + QStringLiteral(" did not finish");
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

LoopMount::LoopMount(const QString& folder, qint64 sizeBytes)
    : m_image(folder + QStringLiteral("/fs.img")), m_mountPoint(folder + QStringLiteral("/mnt")) {
    QDir().mkpath(m_mountPoint);
    QFile file(m_image);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(sizeBytes))
        m_error = QStringLiteral("cannot create ") + m_image;
}

LoopMount::~LoopMount() {
    if (m_mounted)
        run(QStringLiteral("umount"), {m_mountPoint});
    if (!m_loop.isEmpty())
        run(QStringLiteral("losetup"), {QStringLiteral("-d"), m_loop});
}

bool LoopMount::format(const QString& mkfs, const QStringList& args) {
    if (!m_error.isEmpty())
        return false;
    QString output;
    if (!run(mkfs, args + QStringList{m_image}, &output))
        m_error = mkfs + QStringLiteral(": ") + output;
    return m_error.isEmpty();
}

bool LoopMount::attachLoop() {
    QString output;
    if (!run(QStringLiteral("losetup"), {QStringLiteral("-f"), QStringLiteral("--show"), m_image},
             &output)) {
        m_error = QStringLiteral("losetup: ") + output;
        return false;
    }
    m_loop = output.trimmed();
    return true;
}

bool LoopMount::mount(const QString& program, const QStringList& args) {
    QStringList actual;
    for (QString arg : args) {
        arg.replace(QStringLiteral("%dev"), m_loop.isEmpty() ? m_image : m_loop);
        arg.replace(QStringLiteral("%mnt"), m_mountPoint);
        actual << arg;
    }
    QString output;
    if (!run(program, actual, &output)) {
        m_error = program + QStringLiteral(": ") + output;
        return false;
    }
    m_mounted = true;
    return true;
}

#include "app/duplicat/EuAuthorization.h"

#include "platform/Logger.h"
#include "platform/walk/SafeTreeRemover.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool gone(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) != 0 && errno == ENOENT;
}

} // namespace

EuAuthorization* EuAuthorization::shareEuAuthorization() {
    static EuAuthorization* const shared = new EuAuthorization;
    return shared;
}

EuAuthorization::EuAuthorization() : m_options(PrivilegedCommand::systemOptions()) {}

void EuAuthorization::setOptions(const PrivilegedCommand::Options& options) {
    std::lock_guard guard(m_lock);
    m_options = options;
    m_isValidAuth = false;
    m_privilegedRuns = 0;
}

bool EuAuthorization::allocAuthorization() {
    if (m_isValidAuth)
        return true;
    m_isValidAuth = m_options.alreadyRoot || QFileInfo(m_options.pkexecPath).isExecutable();
    if (!m_isValidAuth)
        Logger::log(QStringLiteral("Error Creating Initial Authorization: no %1")
                        .arg(m_options.pkexecPath));
    return m_isValidAuth;
}

bool EuAuthorization::freeAuthorization() {
    m_isValidAuth = false;
    return true;
}

bool EuAuthorization::removeItemAtPath(const QString& path, QString* output) {
    if (!path.startsWith(QLatin1Char('/')) || !allocAuthorization())
        return false;
    ++m_privilegedRuns;
    const PrivilegedCommand::Result run =
        PrivilegedCommand::run({QStringLiteral("/bin/rm"), QStringLiteral("-rf"),
                                QStringLiteral("--one-file-system"), QStringLiteral("--"), path},
                               m_options);
    if (output)
        *output = QString::fromLocal8Bit(run.output).trimmed();
    if (run.refused) {
        Logger::log(QStringLiteral("Copy Rights failed: %1").arg(run.exitCode));
        m_isValidAuth = false; // the next removal asks again
        return false;
    }
    return run.ok() && gone(path);
}

bool EuAuthorization::synFastRemovePath(const QString& path, QString* why) {
    std::lock_guard guard(m_lock);
    const QByteArray native = QFile::encodeName(path);
    safewalk::SafeTreeRemover::Result plain =
        safewalk::SafeTreeRemover::remove(native.toStdString());
    if (plain.removed)
        return true;
    // The folder that holds it may only lack its owner's write permission: add that, and put
    // it back if the removal still fails. Nothing is ever made writable for others.
    if (plain.firstError == EACCES || plain.firstError == EPERM) {
        const QByteArray parent = QFile::encodeName(QFileInfo(path).absolutePath());
        struct stat st {};
        if (::stat(parent.constData(), &st) == 0 && st.st_uid == ::geteuid() &&
            (st.st_mode & S_IWUSR) == 0 &&
            ::chmod(parent.constData(), (st.st_mode & 07777) | S_IWUSR) == 0) {
            plain = safewalk::SafeTreeRemover::remove(native.toStdString());
            if (!plain.removed)
                ::chmod(parent.constData(), st.st_mode & 07777);
            if (plain.removed)
                return true;
        }
    }
    // With administrator rights (directly when root: the tool may still succeed where the
    // plain removal met a folder it was not let into).
    QString output;
    if (removeItemAtPath(path, &output))
        return true;
    Logger::log(QStringLiteral("Clean file by authorization failed: %1").arg(path));
    if (why) {
        QStringList parts;
        for (const std::string& p : plain.problems)
            parts << QString::fromLocal8Bit(p.c_str());
        if (!output.isEmpty())
            parts << output;
        *why = parts.isEmpty() ? QStringLiteral("it could not be removed")
                               : parts.join(QStringLiteral("; "));
    }
    return false;
}

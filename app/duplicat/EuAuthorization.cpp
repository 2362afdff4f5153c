#include "app/duplicat/EuAuthorization.h"

#include "platform/Logger.h"
#include "platform/walk/SafeTreeRemover.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
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
    return removeItemsAtPaths({path}, output);
}

bool EuAuthorization::removeItemsAtPaths(const QStringList& paths, QString* output) {
    if (paths.isEmpty())
        return true;
    for (const QString& path : paths)
        if (!path.startsWith(QLatin1Char('/')))
            return false;
    if (!allocAuthorization())
        return false;
    ++m_privilegedRuns;
    const PrivilegedCommand::Result run = PrivilegedCommand::run(
        QStringList{QStringLiteral("/bin/rm"), QStringLiteral("-rf"),
                    QStringLiteral("--one-file-system"), QStringLiteral("--")} +
            paths,
        m_options);
    if (output)
        *output = QString::fromLocal8Bit(run.output).trimmed();
    if (run.refused) {
        Logger::log(QStringLiteral("Copy Rights failed: %1").arg(run.exitCode));
        m_isValidAuth = false; // the next removal asks again
        return false;
    }
    return run.ok() && std::all_of(paths.begin(), paths.end(), gone);
}

bool EuAuthorization::removeWithoutRights(const QString& path, QStringList* problems) {
    const QByteArray native = QFile::encodeName(path);
    safewalk::SafeTreeRemover::Result plain =
        safewalk::SafeTreeRemover::remove(native.toStdString());
    // The folder that holds it may only lack its owner's write permission: add that, and put
    // it back if the removal still fails. Nothing is ever made writable for others.
    if (!plain.removed && (plain.firstError == EACCES || plain.firstError == EPERM)) {
        const QByteArray parent = QFile::encodeName(QFileInfo(path).absolutePath());
        struct stat st {};
        if (::stat(parent.constData(), &st) == 0 && st.st_uid == ::geteuid() &&
            (st.st_mode & S_IWUSR) == 0 &&
            ::chmod(parent.constData(), (st.st_mode & 07777) | S_IWUSR) == 0) {
            plain = safewalk::SafeTreeRemover::remove(native.toStdString());
            if (!plain.removed)
                ::chmod(parent.constData(), st.st_mode & 07777);
        }
    }
    if (!plain.removed && problems)
        for (const std::string& p : plain.problems)
            *problems << QString::fromLocal8Bit(p.c_str());
    return plain.removed;
}

bool EuAuthorization::synFastRemovePath(const QString& path, QString* why) {
    const QHash<QString, QString> stayed = synFastRemovePaths({path});
    if (why && stayed.contains(path))
        *why = stayed.value(path);
    return !stayed.contains(path);
}

QHash<QString, QString> EuAuthorization::synFastRemovePaths(const QStringList& paths) {
    std::lock_guard guard(m_lock);
    QHash<QString, QStringList> problems;
    QStringList left;
    for (const QString& path : paths) {
        if (problems.contains(path) || left.contains(path))
            continue;
        QStringList found;
        if (!removeWithoutRights(path, &found)) {
            left << path;
            problems.insert(path, found);
        }
    }
    QHash<QString, QString> stayed;
    if (left.isEmpty())
        return stayed;
    // With administrator rights (directly when root: the tool may still succeed where the
    // plain removal met a folder it was not let into), once for all of them.
    QString output;
    removeItemsAtPaths(left, &output);
    for (const QString& path : left) {
        if (gone(path))
            continue;
        Logger::log(QStringLiteral("Clean file by authorization failed: %1").arg(path));
        QStringList parts = problems.value(path);
        if (!output.isEmpty())
            parts << output;
        stayed.insert(path, parts.isEmpty() ? QStringLiteral("it could not be removed")
                                            : parts.join(QStringLiteral("; ")));
    }
    return stayed;
}

#include "app/FileCopy/CopyLeftoverSweep.h"

#include "app/FileCopy/CopyPartialMark.h"
#include "app/FileCopy/CopyRunClaim.h"
#include "platform/walk/SafeWalk.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <unistd.h>

namespace {

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

class LeftoverVisitor : public safewalk::SafeWalk::Visitor {
public:
    LeftoverVisitor(QString top, bool wholeTree, CopyLeftoverSweep::Result& result)
        : m_top(std::move(top)), m_wholeTree(wholeTree), m_result(result) {}

    bool enterFolder(const safewalk::SafeWalk::Entry& entry) override {
        return m_wholeTree || entry.depth == 0;
    }

    bool leaveFolder(const safewalk::SafeWalk::Entry&, bool) override { return true; }

    bool visit(const safewalk::SafeWalk::Entry& entry) override {
        std::string runId;
        const auto verdict =
            CopyPartialMark::examine(entry.dirFd, entry.name, entry.facts.st, runId);
        if (verdict == CopyPartialMark::Verdict::NotPartial)
            return true;
        const QString path = pathOf(entry.relative);
        if (verdict == CopyPartialMark::Verdict::Unmarked) {
            m_result.unmarked << path;
            return true;
        }
        if (isRunning(runId)) {
            m_result.inUse << path;
            return true;
        }
        if (const int error = removeSame(entry); error != 0) {
            m_result.failed.append({path, errorText(error)});
            return true;
        }
        const quint64 bytes = quint64(entry.facts.st.st_size);
        m_result.removed.append({path, bytes});
        m_result.removedBytes += bytes;
        return true;
    }

private:
    QString pathOf(const std::string& relative) const {
        if (relative.empty())
            return m_top;
        return m_top + QLatin1Char('/') + QFile::decodeName(QByteArray::fromStdString(relative));
    }

    // Asked once per run, not once per file.
    bool isRunning(const std::string& runId) {
        if (m_dead.count(runId))
            return false;
        if (m_alive.count(runId))
            return true;
        const bool running = CopyRunClaim::isRunning(runId);
        (running ? m_alive : m_dead).insert(runId);
        return running;
    }

    // Unlinks the entry only while the name still leads to the file that was examined.
    static int removeSame(const safewalk::SafeWalk::Entry& entry) {
        struct stat now {};
        if (::fstatat(entry.dirFd, entry.name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0)
            return errno;
        if (now.st_dev != entry.facts.st.st_dev || now.st_ino != entry.facts.st.st_ino)
            return EBUSY;
        return ::unlinkat(entry.dirFd, entry.name.c_str(), 0) == 0 ? 0 : errno;
    }

    QString m_top;
    bool m_wholeTree;
    CopyLeftoverSweep::Result& m_result;
    std::set<std::string> m_alive, m_dead;
};

} // namespace

bool CopyLeftoverSweep::sweep(const QString& folder, Depth depth, Result& result,
                              QString* problem) {
    const int fd = ::open(QFile::encodeName(folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (problem)
            *problem = errorText(errno);
        return false;
    }
    LeftoverVisitor visitor(folder, depth == Depth::WholeTree, result);
    safewalk::SafeWalk::walk(fd, ".", visitor);
    ::close(fd);
    return true;
}

void CopyLeftoverSweep::sweepTree(int parentFd, const QString& name, const QString& path,
                                  Result& result) {
    struct stat st {};
    const QByteArray native = QFile::encodeName(name);
    if (::fstatat(parentFd, native.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISDIR(st.st_mode))
        return;
    LeftoverVisitor visitor(path, true, result);
    safewalk::SafeWalk::walk(parentFd, native.toStdString(), visitor);
}

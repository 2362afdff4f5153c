#include "app/inter/BrowserCloser.h"

#include "platform/Logger.h"
#include "platform/PrivilegedCommand.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool mayKillDirectly(pid_t pid) {
    if (::geteuid() == 0)
        return true;
    struct stat st {};
    const QByteArray proc = "/proc/" + QByteArray::number(pid);
    return ::stat(proc.constData(), &st) == 0 && st.st_uid == ::geteuid();
}

} // namespace

bool BrowserCloser::close(const QList<BrowserLockProbe::Holder>& holders, const Probe& probe,
                          int waitMs, QString* why) {
    for (const BrowserLockProbe::Holder& holder : holders) {
        if (holder.pid <= 0) {
            if (why)
                *why = QStringLiteral("%1 is held from another computer").arg(holder.marker);
            return false;
        }
        const QStringList argv{QStringLiteral("/bin/kill"), QString::number(holder.pid)};
        const PrivilegedCommand::Result result = mayKillDirectly(holder.pid)
                                                     ? PrivilegedCommand::runPlain(argv, 10000)
                                                     : PrivilegedCommand::run(argv);
        if (!result.ok())
            Logger::log(QStringLiteral("/bin/kill %1 failed: %2")
                            .arg(holder.pid)
                            .arg(QString::fromLocal8Bit(result.output).trimmed()));
    }
    const QDeadlineTimer deadline(waitMs);
    QList<BrowserLockProbe::Holder> still = probe();
    while (!still.isEmpty() && !deadline.hasExpired()) {
        QThread::msleep(100);
        still = probe();
    }
    if (!still.isEmpty() && why)
        *why = QStringLiteral("process %1 still holds %2")
                   .arg(still.first().pid)
                   .arg(still.first().marker);
    return still.isEmpty();
}

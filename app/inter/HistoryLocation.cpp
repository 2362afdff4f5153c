#include "app/inter/HistoryLocation.h"

#include "app/inter/HistorySchema.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kFolderName = QStringLiteral("korvane-data-eraser");

QString& copyOverride() {
    static QString path;
    return path;
}

bool accessible(const QString& path, int mode) {
    // Effective ids: what the process may really do, also when started through sudo or setuid.
    return faccessat(AT_FDCWD, QFile::encodeName(path).constData(), mode, AT_EACCESS) == 0;
}

QString errnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Writes the shipped bytes under a temporary name beside COPY and links it into place.
bool copyShipped(const QString& shipped, const QString& copy) {
    QFile source(shipped);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    QByteArray temp = QFile::encodeName(QFileInfo(copy).absolutePath()) + "/.DataBase.db.XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        Logger::log(QStringLiteral("history copy: create temporary file for %1: %2")
                        .arg(copy, errnoText()));
        return false;
    }
    fchmod(fd, 0600);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.constData() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += n;
    }
    const bool complete = written == bytes.size() && fsync(fd) == 0;
    close(fd);
    bool ok = complete && link(temp.constData(), QFile::encodeName(copy).constData()) == 0;
    if (!ok)
        Logger::log(QStringLiteral("history copy: write %1: %2").arg(copy, errnoText()));
    unlink(temp.constData());
    return ok;
}

} // namespace

QString HistoryLocation::shippedPath() {
    const QString resources = BundleLocator::mainResourcesPath();
    return resources.isEmpty() ? QString() : resources + QLatin1Char('/') + kFileName;
}

QString HistoryLocation::writableCopyPath() {
    if (!copyOverride().isEmpty())
        return copyOverride();
    if (geteuid() == 0)
        return QStringLiteral("/var/lib/") + kFolderName + QLatin1Char('/') + kFileName;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return {};
    return data + QLatin1Char('/') + kFolderName + QLatin1Char('/') + kFileName;
}

void HistoryLocation::setWritableCopyPath(const QString& path) {
    copyOverride() = path;
}

bool HistoryLocation::isUsableInPlace(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && accessible(path, R_OK | W_OK) &&
           accessible(info.absolutePath(), W_OK | X_OK);
}

bool HistoryLocation::ensureCopy(const QString& shipped, const QString& copy) {
    if (copy.isEmpty())
        return false;
    if (QFileInfo::exists(copy))
        return true;
    const QString folder = QFileInfo(copy).absolutePath();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder)) {
            Logger::log(QStringLiteral("history copy: mkdir %1 failed").arg(folder));
            return false;
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if (!shipped.isEmpty() && copyShipped(shipped, copy))
        return true;
    if (QFileInfo::exists(copy)) // made by another process meanwhile
        return true;
    std::string error;
    if (!HistorySchema::createDatabase(QFile::encodeName(copy).toStdString(), 0600, error)) {
        Logger::log(QStringLiteral("history copy: %1").arg(QString::fromStdString(error)));
        return QFileInfo::exists(copy);
    }
    return true;
}

QString HistoryLocation::resolve() {
    const QString shipped = shippedPath();
    // A bundle without its database is incomplete: the history then records nothing rather
    // than appearing somewhere unexpected.
    if (!QFileInfo(shipped).isFile() || isUsableInPlace(shipped))
        return shipped;
    const QString copy = writableCopyPath();
    ensureCopy(shipped, copy);
    return copy;
}

#include "app/Main/WipeDisk/WipeWorkFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

QString WipeWorkFolder::pathFor(const QString& mountPoint) {
    return mountPoint.endsWith(QLatin1Char('/')) ? mountPoint + kName
                                                 : mountPoint + QLatin1Char('/') + kName;
}

bool WipeWorkFolder::isFillFileName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^\\.korvane_[0-9]+$"));
    return pattern.match(name).hasMatch();
}

bool WipeWorkFolder::create(const QString& path) {
    remove(path);
    return ::mkdir(QFile::encodeName(path).constData(), 0700) == 0;
}

bool WipeWorkFolder::remove(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    // Never through a link: the folder must be the one made here.
    if (::lstat(native.constData(), &st) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(st.st_mode))
        return false;
    const QDir folder(path);
    for (const QString& name :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QByteArray entry = native + '/' + QFile::encodeName(name);
        struct stat est {};
        if (isFillFileName(name) && ::lstat(entry.constData(), &est) == 0 && S_ISREG(est.st_mode))
            ::unlink(entry.constData());
    }
    return ::rmdir(native.constData()) == 0;
}

QStringList WipeWorkFolder::removeLeftovers(const QStringList& mountPoints) {
    QStringList removed;
    for (const QString& mountPoint : mountPoints) {
        const QString path = pathFor(mountPoint);
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
            remove(path))
            removed << path;
    }
    return removed;
}

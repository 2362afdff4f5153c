#include "app/Main/FileEraser/SrmTool.h"

#include "platform/BundleLocator.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

QString SrmTool::locate(QString* problem) {
    const QString path = BundleLocator::mainResource(QStringLiteral("srm"), QString());
    if (path.isEmpty()) {
        if (problem)
            *problem = QStringLiteral("the secure-remove tool \"srm\" is missing from %1")
                           .arg(BundleLocator::mainResourcesPath());
        return {};
    }
    return isTrusted(path, problem) ? path : QString();
}

bool SrmTool::isTrusted(const QString& path, QString* problem) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        if (problem)
            *problem = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    if (!S_ISREG(st.st_mode) || ::access(QFile::encodeName(path).constData(), X_OK) != 0) {
        if (problem)
            *problem = QStringLiteral("%1 is not an executable file").arg(path);
        return false;
    }
    if (::geteuid() != 0)
        return true;
    if (st.st_uid != 0 || (st.st_mode & (S_IWGRP | S_IWOTH))) {
        if (problem)
            *problem = QStringLiteral("refusing to run %1 as root: it must be owned by root and "
                                      "writable by nobody else")
                           .arg(path);
        return false;
    }
    return true;
}

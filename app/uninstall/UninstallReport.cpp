#include "app/uninstall/UninstallReport.h"

#include <QStringList>

QString UninstallReport::megabytes(quint64 bytes) {
    return QString::number(double(bytes) / 1e6, 'f', 2);
}

QString UninstallReport::message(int listed) const {
    if (allRemoved())
        return kSuccess.arg(megabytes(freedBytes));
    QStringList names;
    for (qsizetype i = 0; i < failed.size() && i < listed; ++i)
        names << QStringLiteral("%1 (%2)").arg(failed[i].item->path, failed[i].reason);
    if (failed.size() > listed)
        names << QStringLiteral("and %1 more").arg(failed.size() - listed);
    const qsizetype total = failed.size() + removed.size();
    return QStringLiteral("%1 of %2 items could not be removed: %3. The items removed freed %4 "
                          "MB of disk space.")
        .arg(failed.size())
        .arg(total)
        .arg(names.join(QStringLiteral("; ")), megabytes(freedBytes));
}

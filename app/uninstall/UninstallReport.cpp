#include "app/uninstall/UninstallReport.h"

#include <QStringList>

QString UninstallReport::megabytes(quint64 bytes) {
    return QString::number(double(bytes) / 1e6, 'f', 2);
}

QStringList UninstallReport::keptFiles() const {
    QStringList kept;
    for (const AMAppItemPtr& item : removed)
        kept << item->keptFiles;
    kept.removeDuplicates();
    return kept;
}

QString UninstallReport::message(int listed) const {
    const QStringList kept = keptFiles();
    if (allRemoved() && kept.isEmpty())
        return kSuccess.arg(megabytes(freedBytes));
    if (allRemoved())
        return QStringLiteral("The selected items were removed, freeing %1 MB of disk space, but "
                              "not all of the applications' files: %2 stayed (outside your home "
                              "folder, installed by no package manager).")
            .arg(megabytes(freedBytes), kept.join(QStringLiteral(", ")));
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

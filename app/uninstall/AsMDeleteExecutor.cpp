#include "app/uninstall/AsMDeleteExecutor.h"

#include "app/Comm/CommUti.h"
#include "app/duplicat/EuAuthorization.h"
#include "app/uninstall/PackageRemoval.h"
#include "platform/Logger.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// PATH cleaned, without following links ("a/./b", "a//b" and a trailing "/" go).
QString cleaned(const QString& path) {
    return QDir::cleanPath(path);
}

bool isInside(const QString& path, const QString& folder) {
    const QString f = cleaned(folder);
    return path.startsWith(f + QLatin1Char('/')) &&
           !path.mid(f.size()).contains(QLatin1String("/.."));
}

const char* const kKinds[] = {"Preferences", "Caches",     "Logs",
                              "SavedState",  "AppSupport", "Downloads"};

} // namespace

AsMDeleteExecutor::AsMDeleteExecutor(UninstallFolders folders, PackageRemover packages)
    : m_folders(std::move(folders)), m_packages(std::move(packages)) {
    if (!m_packages)
        m_packages = [](const PackageRef& package, QString& error) {
            PackageRemoval removal{PackageRemoval::Tools()};
            const PackageRemoval::Outcome outcome = removal.remove(package);
            error = outcome.output;
            return outcome.ok;
        };
}

bool AsMDeleteExecutor::mayRemove(const AMAppItem& item, QString& why) const {
    const QString path = cleaned(item.path);
    if (!QFileInfo(path).isAbsolute() || path != item.path) {
        why = QStringLiteral("not a plain absolute path");
        return false;
    }
    if (item.kind == AMAppItem::Kind::RelatedFile) {
        // Directly inside one of the per-application folders, never one of them itself.
        for (const char* kind : kKinds)
            for (const QString& folder : m_folders.folders(QLatin1String(kind)))
                if (QFileInfo(path).path() == cleaned(folder))
                    return true;
        why = QStringLiteral("it is not in one of the folders of application files");
        return false;
    }
    const QString tab = item.kind == AMAppItem::Kind::Widget   ? QStringLiteral("Widgets")
                        : item.kind == AMAppItem::Kind::Plugin ? QStringLiteral("Plugins")
                                                               : QStringLiteral("Applications");
    for (const QString& folder : m_folders.folders(tab))
        if (isInside(path, folder))
            return true;
    why = QStringLiteral("it is not in one of the folders applications are found in");
    return false;
}

bool AsMDeleteExecutor::removePath(const QString& path, QString& why) {
    return EuAuthorization::shareEuAuthorization()->synFastRemovePath(path, &why);
}

bool AsMDeleteExecutor::removeTrahFile(const AMAppItemPtr& item, QString& why) {
    if (!mayRemove(*item, why))
        return false;
    if (item->package.isPackaged()) {
        if (!m_packages(item->package, why)) {
            if (why.isEmpty())
                why = QStringLiteral("the package manager could not remove %1")
                          .arg(item->package.name);
            return false;
        }
        return true;
    }
    if (!removePath(item->path, why))
        return false;
    // The application's own files besides (an AppImage its entry starts), in the user's home.
    for (const QString& own : item->ownFiles) {
        const QString file = cleaned(own);
        if (!m_folders.home().isEmpty() && isInside(file, m_folders.home()) &&
            QFileInfo(file).isFile() && !removePath(file, why))
            return false;
    }
    return true;
}

UninstallReport AsMDeleteExecutor::executeDelete(const QList<AMAppItemPtr>& items) {
    UninstallReport report;
    QSet<QString> done; // a path listed twice (two matching patterns) is removed once
    for (const AMAppItemPtr& item : items) {
        QString why;
        const quint64 bytes = CommUti::volSpaceFromString(item->size);
        bool ok;
        if (done.contains(item->path)) {
            ok = true;
        } else {
            ok = removeTrahFile(item, why);
            if (ok) {
                done.insert(item->path);
                report.freedBytes += bytes;
            }
        }
        if (ok) {
            report.removed.append(item);
            if (m_delegate)
                m_delegate->deleteRelatedFile(item);
        } else {
            Logger::log(QStringLiteral("Clean file failed: %1: %2").arg(item->path, why));
            report.failed.append({item, why});
            if (m_delegate)
                m_delegate->deleteRelatedFileFail(item, why);
        }
    }
    return report;
}

#include "app/uninstall/AsMDeleteExecutor.h"

#include "app/inter/DoDataBase.h"

#include "app/Comm/CommUti.h"
#include "app/Main/FileEraser/EraseJob.h"
#include "app/duplicat/EuAuthorization.h"
#include "app/uninstall/PackageRemoval.h"
#include "platform/Logger.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <optional>

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

AsMDeleteExecutor::AsMDeleteExecutor(UninstallFolders folders) : m_folders(std::move(folders)) {}

AsMDeleteExecutor::AsMDeleteExecutor(UninstallFolders folders, PackageRemover packages)
    : m_folders(std::move(folders)), m_packages(std::move(packages)) {}

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

bool AsMDeleteExecutor::removeTrahFile(const AMAppItemPtr& item, QString& why) {
    const UninstallReport report = executeDelete({item});
    if (!report.failed.isEmpty())
        why = report.failed.constFirst().reason;
    return report.allRemoved();
}

QList<AsMDeleteExecutor::Outcome>
AsMDeleteExecutor::removePackages(const QList<PackageRef>& packages) {
    QList<Outcome> outcomes;
    if (m_packages) {
        for (const PackageRef& package : packages) {
            Outcome outcome;
            outcome.ok = m_packages(package, outcome.why);
            outcomes << outcome;
        }
    } else {
        PackageRemoval removal{PackageRemoval::Tools()};
        for (const PackageRemoval::Outcome& removed : removal.removeAll(packages))
            outcomes << Outcome{removed.ok, removed.output};
    }
    for (qsizetype i = 0; i < outcomes.size(); ++i)
        if (!outcomes[i].ok && outcomes[i].why.isEmpty())
            outcomes[i].why =
                QStringLiteral("the package manager could not remove %1").arg(packages[i].name);
    return outcomes;
}

QHash<QString, QString> AsMDeleteExecutor::erasePaths(const QStringList& paths) {
    QHash<QString, QString> stayed;
    if (paths.isEmpty())
        return stayed;
    // Filed in the history under the uninstaller, which erased them.
    EraseJob::Options options;
    options.historyType = DoDataBase::kTypeUninstall;
    EraseJob job(options);
    QList<FileObjPtr> chosen;
    for (const QString& path : paths) {
        if (FileObjPtr item = job.builder().addFileToArr(QFile::encodeName(path)))
            chosen << item;
        else
            stayed.insert(path, QStringLiteral("it could not be read"));
    }
    // The job reports to the event loop of this thread (a worker's, or the command line's).
    struct EndListener : EraseJobListener {
        QEventLoop loop;
        bool ended = false;
        void eraseFinished(const EraseReport&) override {
            ended = true;
            loop.quit();
        }
    } listener;
    job.setListener(&listener);
    job.start(chosen);
    if (!listener.ended)
        listener.loop.exec();
    for (const EraseReport::Line& line : job.report().lines) {
        if (line.outcome == EraseReport::Outcome::Erased)
            continue;
        QStringList reasons;
        for (const EraseReport::Problem& problem : line.problems)
            reasons << EraseReport::reasonText(problem);
        if (line.refused)
            reasons << ErasePathCheck::message(line.refusal);
        stayed.insert(QFile::decodeName(line.item->nativeUrl),
                      reasons.isEmpty() ? QStringLiteral("it could not be erased")
                                        : reasons.join(QStringLiteral("; ")));
    }
    // Erased means gone, whatever the report says.
    for (const FileObjPtr& item : chosen) {
        const QString path = QFile::decodeName(item->nativeUrl);
        if (!stayed.contains(path) && (QFileInfo::exists(path) || QFileInfo(path).isSymLink()))
            stayed.insert(path, QStringLiteral("it is still there"));
    }
    return stayed;
}

UninstallReport AsMDeleteExecutor::executeDelete(const QList<AMAppItemPtr>& items) {
    const qsizetype count = items.size();
    QList<std::optional<Outcome>> outcomes(count);
    QHash<QString, qsizetype> first; // a path listed twice (two matching patterns) goes once
    QList<qsizetype> packaged;
    for (qsizetype i = 0; i < count; ++i) {
        const AMAppItem& item = *items[i];
        if (first.contains(item.path))
            continue;
        first.insert(item.path, i);
        QString why;
        if (!mayRemove(item, why))
            outcomes[i] = Outcome{false, why};
        else if (item.package.isPackaged())
            packaged << i;
    }

    // Packages first: a package manager removes what it installed, files included.
    QList<PackageRef> packages;
    for (const qsizetype i : packaged)
        packages << items[i]->package;
    const QList<Outcome> removedPackages = removePackages(packages);
    for (qsizetype k = 0; k < packaged.size(); ++k)
        outcomes[packaged[k]] = removedPackages[k];
    if (m_stop && m_stop->load())
        for (qsizetype i = 0; i < count; ++i)
            if (!outcomes[i] && first.value(items[i]->path) == i)
                outcomes[i] = Outcome{false, kNotReached};

    // Then the files: the related files erased or removed, the rest removed, the application's
    // own files besides (an AppImage its entry starts, in the user's home) with it.
    QStringList toErase, toRemove;
    QHash<QString, QList<qsizetype>> itemsOfPath;
    for (qsizetype i = 0; i < count; ++i) {
        const AMAppItem& item = *items[i];
        if (outcomes[i] || first.value(item.path) != i)
            continue;
        const bool erase = m_eraseSecurely && item.kind == AMAppItem::Kind::RelatedFile;
        (erase ? toErase : toRemove) << item.path;
        itemsOfPath[item.path] << i;
        if (item.kind == AMAppItem::Kind::RelatedFile)
            continue;
        for (const QString& own : item.ownFiles) {
            const QString file = cleaned(own);
            if (!m_folders.home().isEmpty() && isInside(file, m_folders.home()) &&
                QFileInfo(file).isFile() && !itemsOfPath.contains(file)) {
                toRemove << file;
                itemsOfPath[file] << i;
            }
        }
    }
    QHash<QString, QString> stayed = erasePaths(toErase);
    stayed.insert(EuAuthorization::shareEuAuthorization()->synFastRemovePaths(toRemove));
    for (auto path = itemsOfPath.cbegin(); path != itemsOfPath.cend(); ++path)
        for (const qsizetype i : path.value()) {
            Outcome& outcome = outcomes[i] ? *outcomes[i] : outcomes[i].emplace(Outcome{true, {}});
            if (outcome.ok && stayed.contains(path.key()))
                outcome = Outcome{false, stayed.value(path.key())};
        }

    UninstallReport report;
    for (qsizetype i = 0; i < count; ++i) {
        const AMAppItemPtr& item = items[i];
        const qsizetype once = first.value(item->path);
        const Outcome outcome = outcomes[once].value_or(Outcome{false, QString()});
        if (outcome.ok) {
            if (once == i)
                report.freedBytes += item->sizeBytes;
            report.removed.append(item);
            if (m_delegate)
                m_delegate->deleteRelatedFile(item);
        } else {
            Logger::log(QStringLiteral("Clean file failed: %1: %2").arg(item->path, outcome.why));
            report.failed.append({item, outcome.why});
            if (m_delegate)
                m_delegate->deleteRelatedFileFail(item, outcome.why);
        }
    }
    return report;
}

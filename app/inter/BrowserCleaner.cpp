#include "app/inter/BrowserCleaner.h"

#include <QCoreApplication>

#include "app/Main/FileEraser/FileObjBuilder.h"
#include "app/inter/BrowserLockProbe.h"
#include "app/inter/HomeLinkResolver.h"
#include "app/inter/ToGetDB.h"
#include "platform/Logger.h"

#include <QFile>

namespace {

using State = BrowerObj::State;

void fail(BrowerObj::Target& target, const QString& why) {
    target.state = State::Failed;
    target.problem = why;
    Logger::log(QStringLiteral("clean %1 failed: %2").arg(target.path, why));
}

void cleaned(BrowerObj::Target& target) {
    target.state = State::Cleaned;
    target.count = 0;
    target.bytes = 0;
    target.known = true;
    target.problem.clear();
}

} // namespace

BrowserCleaner::BrowserCleaner(uid_t uid, ToGetDB* database, FileEraser eraser)
    : m_uid(uid), m_database(database ? database : ToGetDB::returnToGetDB()),
      m_eraser(eraser ? std::move(eraser) : FileEraser(&BrowserFileEraser::erase)) {}

void BrowserCleaner::cleanKinds(const QList<BrowerObj*>& kinds, Summary* summary) const {
    QList<std::pair<BrowerObj*, qsizetype>> files;
    QStringList paths;
    for (BrowerObj* kind : kinds)
        for (qsizetype i = 0; i < kind->targets.size(); ++i) {
            BrowerObj::Target& target = kind->targets[i];
            if (target.state == State::Cleaned)
                continue;
            if (target.refused) {
                target.state = State::Failed; // its problem says why
                continue;
            }
            // Time has passed since the scan: still below its folder, no link on the way.
            QString why;
            if (!HomeLinkResolver::isPlainBelow(target.root, target.path, &why)) {
                if (why == QLatin1String("no longer there"))
                    cleaned(target); // the browser removed it meanwhile
                else
                    fail(target, QStringLiteral("not touched: %1").arg(why));
                continue;
            }
            const uid_t owner = HomeLinkResolver::ownerOf(target.path);
            if (owner != m_uid) {
                fail(target,
                     QStringLiteral("belongs to another user (uid %1): left alone").arg(owner));
                continue;
            }
            if (!target.rule.database) {
                files.append({kind, i});
                paths << target.path;
                continue;
            }
            if (m_unreadable.contains(target.path)) {
                fail(target, m_unreadable.value(target.path));
                continue;
            }
            const ToGetDB::Outcome outcome = m_database->clean(target.path, target.rule, m_kept);
            if (outcome.fileUnreadable)
                m_unreadable.insert(target.path, outcome.error);
            if (outcome.ok)
                cleaned(target);
            else {
                fail(target, outcome.error);
                // A removal that ran but left entries says how many; otherwise the count
                // found before stands.
                if (outcome.count > 0)
                    target.count = outcome.count;
            }
        }
    if (!paths.isEmpty()) {
        const BrowserFileEraser::Result erased = m_eraser(paths);
        if (summary) {
            summary->copyOnWrite = summary->copyOnWrite || erased.copyOnWrite;
            summary->solidState = summary->solidState || erased.solidState;
        }
        for (const auto& [kind, i] : files) {
            BrowerObj::Target& target = kind->targets[i];
            if (erased.problems.contains(target.path))
                fail(target, erased.problems.value(target.path));
            else
                cleaned(target);
        }
    }
    for (BrowerObj* kind : kinds) {
        kind->refreshSize();
        if (kind->allCleaned())
            kind->isSelect = false;
    }
}

bool BrowserCleaner::cleanKind(BrowerObj& kind) const {
    m_unreadable.clear();
    cleanKinds({&kind}, nullptr);
    return kind.allCleaned();
}

BrowserCleaner::Summary BrowserCleaner::clean(const QList<BrowerObjPtr>& browsers) const {
    Summary summary;
    m_unreadable.clear();
    for (const BrowerObjPtr& browser : browsers) {
        if (!browser->isSelect)
            continue;
        QList<BrowerObj*> chosen;
        for (const BrowerObjPtr& kind : browser->chrArr)
            if (kind->isSelect)
                chosen << kind.get();
        if (chosen.isEmpty())
            continue;
        if (m_stop && m_stop->load()) {
            summary.notReached << browser->name;
            continue;
        }
        for (const QString& refusal : browser->refusals)
            summary.refused << QStringLiteral("%1: %2").arg(browser->name, refusal);
        const auto holders = BrowserLockProbe::running(browser->family, browser->profiles, m_uid);
        if (!holders.isEmpty()) {
            summary.running << browser->name;
            summary.problems << QStringLiteral("%1: running (process %2, %3); nothing removed")
                                    .arg(browser->name)
                                    .arg(holders.first().pid)
                                    .arg(holders.first().marker);
            continue;
        }
        cleanKinds(chosen, &summary);
        // Databases are overwritten in place too: what the volume does with that matters.
        if (!browser->profiles.isEmpty()) {
            const QString profile = browser->profiles.first().path;
            summary.copyOnWrite = summary.copyOnWrite || FileObjBuilder::systemCopyOnWriteTest()(
                                                             QFile::encodeName(profile));
            summary.solidState =
                summary.solidState || FileObjBuilder::systemSolidStateTest()(profile);
        }
        for (BrowerObj* kind : chosen) {
            if (kind->allCleaned()) {
                // A kind that held nothing was not removed: it is not counted as if it were.
                if (!kind->targets.isEmpty())
                    ++summary.cleanedKinds;
                continue;
            }
            ++summary.failedKinds;
            for (const QString& problem : kind->problems())
                summary.problems
                    << QStringLiteral("%1, %2: %3").arg(browser->name, kind->name, problem);
        }
        browser->refreshSize();
    }
    return summary;
}

QString BrowserCleaner::freeSpaceNote(const Summary& summary) {
    QString note = QCoreApplication::translate(
        "BrowserCleaner",
        "Removed entries were overwritten in place and removed files were erased. Copies the "
        "browser deleted on its own earlier are out of reach here; a free-space wipe of the "
        "home's volume overwrites them.");
    if (summary.copyOnWrite)
        note += QCoreApplication::translate(
            "BrowserCleaner", " This volume is copy-on-write: overwriting writes new blocks and "
                              "earlier copies stay until a free-space wipe.");
    if (summary.solidState)
        note += QCoreApplication::translate(
            "BrowserCleaner", " On solid-state storage the drive may keep old blocks that no "
                              "overwrite reaches; only a free-space wipe or the drive's own "
                              "sanitize command clears them.");
    return note;
}

#include "app/inter/BrowserCleaner.h"

#include "app/inter/BrowserLockProbe.h"
#include "app/inter/ToGetDB.h"
#include "platform/Logger.h"
#include "platform/walk/SafeTreeRemover.h"

#include <QFile>
#include <cstring>

BrowserCleaner::BrowserCleaner(uid_t uid, ToGetDB* database)
    : m_uid(uid), m_database(database ? database : ToGetDB::returnToGetDB()) {}

bool BrowserCleaner::cleanKind(BrowerObj& kind) const {
    for (BrowerObj::Target& target : kind.targets) {
        if (target.state == BrowerObj::State::Cleaned)
            continue;
        if (kind.storage == BrowerObj::Storage::Database) {
            const ToGetDB::Outcome outcome =
                m_database->cleanKind(kind.parObj->name, kind.name, target.path);
            if (outcome.ok) {
                target.state = BrowerObj::State::Cleaned;
                target.count = 0;
                target.problem.clear();
            } else {
                target.state = BrowerObj::State::Failed;
                target.problem = outcome.error;
            }
            continue;
        }
        const safewalk::SafeTreeRemover::Result removed =
            safewalk::SafeTreeRemover::remove(QFile::encodeName(target.path).toStdString());
        if (removed.removed) {
            target.state = BrowerObj::State::Cleaned;
            target.bytes = 0;
            target.problem.clear();
        } else {
            target.state = BrowerObj::State::Failed;
            target.problem = removed.problems.empty()
                                 ? QString::fromLocal8Bit(std::strerror(removed.firstError))
                                 : QString::fromStdString(removed.problems.front());
            Logger::log(QStringLiteral("remove %1 failed: %2").arg(target.path, target.problem));
        }
    }
    kind.refreshSize();
    const bool cleaned = kind.allCleaned();
    if (cleaned)
        kind.isSelect = false;
    return cleaned;
}

BrowserCleaner::Summary BrowserCleaner::clean(const QList<BrowerObjPtr>& browsers) const {
    Summary summary;
    for (const BrowerObjPtr& browser : browsers) {
        if (!browser->isSelect)
            continue;
        bool anySelected = false;
        for (const BrowerObjPtr& kind : browser->chrArr)
            anySelected = anySelected || kind->isSelect;
        if (!anySelected)
            continue;
        const auto holders = BrowserLockProbe::running(browser->family, browser->profiles, m_uid);
        if (!holders.isEmpty()) {
            summary.running << browser->name;
            summary.problems << QStringLiteral("%1: running (process %2, %3); nothing removed")
                                    .arg(browser->name)
                                    .arg(holders.first().pid)
                                    .arg(holders.first().marker);
            continue;
        }
        for (const BrowerObjPtr& kind : browser->chrArr) {
            if (!kind->isSelect)
                continue;
            if (cleanKind(*kind))
                ++summary.cleanedKinds;
            else {
                ++summary.failedKinds;
                for (const QString& problem : kind->problems())
                    summary.problems
                        << QStringLiteral("%1, %2: %3").arg(browser->name, kind->name, problem);
            }
        }
        browser->refreshSize();
    }
    return summary;
}

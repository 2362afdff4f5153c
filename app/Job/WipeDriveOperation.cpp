#include "app/Job/WipeDriveOperation.h"

#include "app/Certificate/DeviceFacts.h"
#include "app/Job/DriveErasureFacts.h"
#include "app/Job/DriveSanitizeInfo.h"
#include "app/Job/OperationLoop.h"
#include "app/Main/WipeDisk/DiskUtil.h"
#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/VolumeObj.h"
#include "app/RepairDisk/DiskTool.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/inter/DoDataBase.h"
#include "platform/ChildProcessTie.h"
#include "platform/MountTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <memory>
#include <sys/stat.h>
#include <vector>

namespace {

// The kernel's folder for DEVICE ("/sys/class/block/sdb"), empty when it names none.
QString sysfsOf(const QString& device) {
    const QString name = QFileInfo(QFileInfo(device).canonicalFilePath()).fileName();
    const QString folder = QStringLiteral("/sys/class/block/") + name;
    return !name.isEmpty() && QFileInfo::exists(folder) ? folder : QString();
}

QByteArray readSys(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

// DEVICE itself or one of its partitions ("/dev/sdb" holds "/dev/sdb1", "/dev/loop0p2").
bool onDevice(const QString& source, const QString& device) {
    if (source == device)
        return true;
    if (!source.startsWith(device) || source.size() == device.size())
        return false;
    const QChar next = source.at(device.size());
    return next.isDigit() || next == QLatin1Char('p');
}

} // namespace

WipeDriveOperation::WipeDriveOperation(QStringList devices, Options options)
    : m_devices(std::move(devices)), m_options(std::move(options)) {}

quint64 WipeDriveOperation::sizeOf(const QString& device) {
    const QString folder = sysfsOf(device);
    return folder.isEmpty() ? 0 : readSys(folder + QStringLiteral("/size")).toULongLong() * 512;
}

bool WipeDriveOperation::rotational(const QString& device) {
    QString folder = sysfsOf(device);
    // A partition has no queue of its own: its disk's says.
    if (!folder.isEmpty() && !QFileInfo::exists(folder + QStringLiteral("/queue")))
        folder = QFileInfo(QFileInfo(folder).canonicalFilePath()).path();
    return readSys(folder + QStringLiteral("/queue/rotational")) != "0";
}

bool WipeDriveOperation::knownMethod(const QString& method) {
    return method == QLatin1String("overwrite") || method == QLatin1String("sanitize") ||
           method == QLatin1String("auto");
}

bool WipeDriveOperation::planMethod(const QString& device, Plan& plan, bool& purge) const {
    const QString& method = m_options.method;
    const DriveSanitizeInfo info = DriveSanitizeInfo::ask(device);
    if (!info.asked() && method == QLatin1String("sanitize")) {
        plan.refusals.append(
            {device, Refusal::Failed,
             tr("%1: cannot ask what its firmware offers: %2").arg(device, info.problem())});
        return false;
    }
    const DriveSanitizeInfo::Choice choice = info.choice(method);
    if (choice.kind == DriveSanitizeInfo::Choice::Kind::Refused) {
        plan.refusals.append({device, Refusal::Unsupported, choice.why});
        return false;
    }
    purge = choice.kind == DriveSanitizeInfo::Choice::Kind::Sanitize;
    if (purge) {
        QString text = tr("%1: %2. The drive's firmware erases all of it, the blocks "
                          "it keeps aside included; blocks spread over it are read "
                          "back afterwards.")
                           .arg(device, choice.methodText);
        for (const QString& note : info.notes())
            text += tr(" Note: %1.").arg(note);
        plan.notes.append({Warning::WipeMethod, text});
    } else {
        // The tool writes the standard's passes, then one of zeros.
        const int written = m_passes == 1 || m_passes == 2 ? 2 : m_passes + 1;
        plan.notes.append({Warning::WipeMethod, tr("%1: Clear (%2 pass overwrite: %3, then zeros).")
                                                    .arg(device)
                                                    .arg(written)
                                                    .arg(EraserStandard::nameForLevel(m_passes))});
    }
    if (!info.asked() && method == QLatin1String("auto"))
        plan.notes.append(
            {Warning::WipeMethod, tr("%1: its firmware could not be asked what it offers "
                                     "(%2); the volume tool decides when the wipe runs.")
                                      .arg(device, info.problem())});
    for (const QString& hidden : info.hidden())
        plan.notes.append({Warning::HiddenArea, hidden});
    return true;
}

bool WipeDriveOperation::knownVerify(const QString& verify) {
    static const QRegularExpression sample(QStringLiteral("^sample:([1-9][0-9]?|100)$"));
    return verify == QLatin1String("last") || verify == QLatin1String("all") ||
           verify == QLatin1String("none") || sample.match(verify).hasMatch();
}

void WipeDriveOperation::planDevice(const QString& device, const QList<MountTable::Entry>& mounts,
                                    Plan& plan) {
    struct stat st {};
    if (!device.startsWith(QLatin1String("/dev/")) ||
        ::stat(QFile::encodeName(device).constData(), &st) != 0 || !S_ISBLK(st.st_mode)) {
        plan.refusals.append(
            {device, Refusal::Missing,
             tr("%1 is not a drive or partition (see `korvane disks`)").arg(device)});
        return;
    }
    const qsizetype refusedBefore = plan.refusals.size();
    if (const QString why = DiskTool::whyNeeded(device); !why.isEmpty())
        plan.refusals.append({device, Refusal::SystemVolume, why});
    // A drive and one of its own partitions are one drive.
    for (const QString& other : plan.items)
        if (onDevice(device, other) || onDevice(other, device))
            plan.refusals.append(
                {device, Refusal::BadInput, tr("%1 and %2 are the same drive").arg(device, other)});
    const quint64 size = sizeOf(device);
    const std::optional<DriveWipeCheckpoint> interrupted = DriveWipeCheckpoint::load(device);
    if (m_options.resume) {
        if (!interrupted) {
            plan.refusals.append(
                {device, Refusal::Missing,
                 tr("there is no interrupted wipe of %1 to go on with").arg(device)});
        } else if (interrupted->size != size ||
                   interrupted->identity != DriveWipeCheckpoint::identityOf(device)) {
            plan.refusals.append(
                {device, Refusal::NotAllowed,
                 tr("%1 is not the drive whose wipe was interrupted (that one held "
                    "%2 bytes%3)")
                     .arg(device)
                     .arg(interrupted->size)
                     .arg(interrupted->identity.isEmpty()
                              ? QString()
                              : QStringLiteral(", ") + interrupted->identity)});
        } else if (interrupted->level != m_passes) {
            plan.refusals.append(
                {device, Refusal::BadInput,
                 tr("the interrupted wipe of %1 has %2 passes, another drive's %3: "
                    "go on with them one at a time")
                     .arg(device)
                     .arg(interrupted->level)
                     .arg(m_passes)});
        }
    }
    bool purge = false;
    if (plan.refusals.size() > refusedBefore || !planMethod(device, plan, purge))
        return;
    if (m_options.resume) {
        m_resumeFrom.insert(device, *interrupted);
        plan.notes.append({Warning::Interrupted,
                           tr("The wipe of %1 goes on from pass %2 of %3, byte %4, where it was "
                              "interrupted.")
                               .arg(device)
                               .arg(interrupted->pass)
                               .arg(interrupted->passes.count(QLatin1Char(',')) + 1)
                               .arg(interrupted->offset)});
    } else if (interrupted) {
        plan.notes.append(
            {Warning::Interrupted, tr("An interrupted wipe of %1 was found; this one starts "
                                      "from the first byte instead.")
                                       .arg(device)});
    }
    // What is mounted on the drive is unmounted for the wipe, with a consent that names it.
    for (const MountTable::Entry& mount : mounts) {
        if (!onDevice(mount.source, device))
            continue;
        m_unmount[device] << mount.source;
        plan.consents.append({Consent::UnmountVolumes, mount.source,
                              tr("%1 is mounted at %2 and is unmounted for the wipe")
                                  .arg(mount.source, mount.target)});
    }
    plan.items << device;
    plan.bytes += size;
    if (!rotational(device) && !purge)
        plan.notes.append(
            {Warning::SolidState, tr("%1 is solid-state storage: overwriting it is a Clear; "
                                     "blocks the drive keeps aside are not reached.")
                                      .arg(device)});
    plan.consents.append({Consent::Irreversible, device,
                          tr("Everything on %1 (%2) is lost: its partition table, "
                             "every partition and what lies between them.")
                              .arg(device, VolumeObj::byteToSizeWithByte(qint64(size)))});
}

DestructiveOperation::Plan WipeDriveOperation::plan(const StopToken&, const ProgressSink&) {
    Plan plan;
    plan.kind = Kind::WipeDrive;
    m_resumeFrom.clear();
    m_unmount.clear();
    m_passes = FreeSpaceWipeJob::passesFor(m_options.level, m_options.programName);
    // A resumed wipe keeps the level and the reading back it began with.
    if (m_options.resume && !m_devices.isEmpty())
        if (const auto first = DriveWipeCheckpoint::load(m_devices.constFirst())) {
            m_passes = first->level;
            m_options.verify = first->verify;
        }
    // Only an overwrite is gone on with: a firmware erase, once started, is the drive's own.
    if (m_options.resume)
        m_options.method = QStringLiteral("overwrite");
    plan.level = m_passes;
    plan.standard = m_passes > 0 ? EraserStandard::nameForLevel(m_passes) : QString();
    if (m_passes == 0)
        plan.refusals.append({QString::number(m_options.level), Refusal::UnknownLevel,
                              FreeSpaceWipeJob::kUnknownLevel.arg(m_options.level)});
    if (!knownVerify(m_options.verify))
        plan.refusals.append({m_options.verify, Refusal::BadInput,
                              tr("read back \"%1\"? Use last, all, sample:PERCENT or "
                                 "none.")
                                  .arg(m_options.verify)});
    if (!knownMethod(m_options.method))
        plan.refusals.append({m_options.method, Refusal::BadInput,
                              QStringLiteral("method \"%1\"? Use overwrite, sanitize or auto.")
                                  .arg(m_options.method)});
    const QList<MountTable::Entry> mounts = MountTable::read();
    for (const QString& device : m_devices)
        planDevice(device, mounts, plan);
    return plan;
}

namespace {

// One drive's wipe: the volume tool's process and what it said.
struct DriveRun {
    QString device;
    std::unique_ptr<QProcess> process;
    QByteArray output;
    QByteArray errors;
    int status = -1;
    bool ended = false;
    DriveWipeCheckpoint point; // where the drive's wipe has come to
    bool resumed = false;
    DeviceFacts before; // what the drive held, for the certificate
};

} // namespace

DestructiveOperation::Report WipeDriveOperation::run(const Plan& plan, const Consents& consents,
                                                     const StopToken& stop,
                                                     const ProgressSink& progress) {
    if (auto early =
            refuseToBegin(plan, consents, stop, ConsentRule::Every, tr("Nothing was written.")))
        return *early;
    Report report;
    report.kind = Kind::WipeDrive;
    report.level = m_passes;
    report.standard = EraserStandard::nameForLevel(m_passes);
    report.historyDue = m_options.recordHistory;

    // Every drive at once, each by its own process: one failing does not stop the others.
    QString problem;
    const QString tool = DiskUtil::toolPath(&problem);
    std::vector<DriveRun> runs;
    for (const QString& device : plan.items) {
        DriveRun run{device, nullptr, {}, {}, -1, false, {}, false, DeviceFacts::read(device)};
        if (const auto from = m_resumeFrom.constFind(device); from != m_resumeFrom.cend()) {
            run.point = *from;
            run.resumed = true;
        } else {
            run.point.device = device;
            run.point.size = sizeOf(device);
            run.point.identity = DriveWipeCheckpoint::identityOf(device);
            run.point.level = m_passes;
            run.point.verify = m_options.verify;
            run.point.started = QDateTime::currentDateTimeUtc();
        }
        // The volumes the consent named, and only those: anything mounted since is refused by
        // the tool itself.
        for (const QString& source : m_unmount.value(device)) {
            const QList<MountTable::Entry> now = MountTable::read();
            if (std::none_of(now.cbegin(), now.cend(),
                             [&source](const MountTable::Entry& e) { return e.source == source; }))
                continue;
            if (const DiskTool::Result unmounted = DiskTool::unmount(source); !unmounted.ok) {
                run.errors = QStringLiteral("could not unmount %1: %2")
                                 .arg(source, unmounted.message)
                                 .toUtf8();
                run.ended = true;
                break;
            }
        }
        runs.push_back(std::move(run));
    }
    OperationLoop loop(stop, [&runs] {
        for (DriveRun& run : runs)
            if (run.process && !run.ended)
                run.process->terminate(); // the tool stops between two chunks
    });
    int started = 0;
    for (DriveRun& run : runs) {
        if (tool.isEmpty() || run.ended) {
            run.ended = true;
            continue;
        }
        run.process = std::make_unique<QProcess>();
        QProcess* process = run.process.get();
        ChildProcessTie::tieToThisProcess(*process);
        const auto readLines = [&run, &progress, process] {
            while (process->canReadLine()) {
                const QByteArray line = process->readLine().trimmed();
                const QList<QByteArray> words = line.split(' ');
                // Where the wipe has come to, kept as it goes: a kill or a power loss leaves
                // the last place everything before was on the drive.
                if (words.size() == 3 && (words.at(0) == "plan" || words.at(0) == "checkpoint")) {
                    if (words.at(0) == "plan") {
                        run.point.key = QString::fromLatin1(words.at(1));
                        run.point.passes = QString::fromLatin1(words.at(2));
                    } else {
                        run.point.pass = words.at(1).toInt();
                        run.point.offset = words.at(2).toULongLong();
                    }
                    run.point.save();
                    continue;
                }
                if (words.size() != 6 || words.at(0) != "progress") {
                    run.output += line + '\n';
                    continue;
                }
                if (!progress)
                    continue;
                // The passes as one stretch of work; the reading back as another.
                const bool verifying = words.at(1) == "verify";
                const int pass = words.at(2).toInt(), passes = words.at(3).toInt();
                const qint64 done = words.at(4).toLongLong(), total = words.at(5).toLongLong();
                progress({verifying ? Stage::Verifying : Stage::Overwriting,
                          verifying ? done : qint64(pass - 1) * total + done,
                          verifying ? total : qint64(passes) * total, pass, passes, run.device,
                          true});
            }
        };
        QObject::connect(process, &QProcess::readyReadStandardOutput, readLines);
        QObject::connect(process, &QProcess::finished, [&run, &runs, &loop, process, readLines] {
            // The last lines (the checkpoint of a stop among them) may come with the end.
            readLines();
            run.output += process->readAllStandardOutput();
            run.errors = process->readAllStandardError();
            run.status = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
            run.ended = true;
            if (std::all_of(runs.cbegin(), runs.cend(), [](const DriveRun& r) { return r.ended; }))
                loop.quit();
        });
        QStringList arguments{QStringLiteral("wipe"),     run.device,
                              QStringLiteral("--level"),  QString::number(m_passes),
                              QStringLiteral("--verify"), m_options.verify,
                              QStringLiteral("--method"), m_options.method};
        if (run.resumed)
            arguments << QStringLiteral("--passes") << run.point.passes << QStringLiteral("--key")
                      << run.point.key << QStringLiteral("--from")
                      << QStringLiteral("%1:%2").arg(run.point.pass).arg(run.point.offset);
        process->start(tool, arguments);
        if (process->waitForStarted(10000)) {
            ++started;
        } else {
            run.errors = process->errorString().toUtf8();
            run.ended = true;
        }
    }
    if (started > 0)
        loop.exec();

    static const QRegularExpression verified(QStringLiteral("verified (\\d+)"));
    // What the tool said it did ("method Purge (...)", the last one counts) and, for a firmware
    // erase, what its verifying read found ("checked ...").
    static const QRegularExpression methodLine(QStringLiteral("(?:^|\\n)method ([^\\n]+)"));
    static const QRegularExpression checkedLine(QStringLiteral("(?:^|\\n)checked ([^\\n]+)"));
    bool allRecorded = !runs.empty();
    for (const DriveRun& run : runs) {
        const bool done = run.status == 0;
        const bool stopped = !done && stop.stopRequested();
        report.cancelled = report.cancelled || stopped;
        Item item(run.device,
                  done ? Outcome::Done : (stopped ? Outcome::Stopped : Outcome::Failed));
        const QString output = QString::fromUtf8(run.output);
        QString method;
        for (auto it = methodLine.globalMatch(output); it.hasNext();)
            method = it.next().captured(1);
        if (done) {
            DriveWipeCheckpoint::remove(run.device);
            item.bytes = sizeOf(run.device);
            const quint64 checked = verified.match(output).captured(1).toULongLong();
            const QString sampled = checkedLine.match(output).captured(1);
            // Every pass read back counts the drive's bytes once per pass.
            const quint64 passesRead =
                item.bytes > 0 && checked > item.bytes ? checked / item.bytes : 1;
            item.detail = !sampled.isEmpty() ? sampled
                          : checked > 0 && passesRead > 1
                              ? QStringLiteral("%1 of %2 bytes read back and found as written, "
                                               "after each of %3 passes")
                                    .arg(checked / passesRead)
                                    .arg(item.bytes)
                                    .arg(passesRead)
                          : checked > 0 ? QStringLiteral("%1 of %2 bytes read back and found as "
                                                         "written")
                                              .arg(checked)
                                              .arg(item.bytes)
                                        : QStringLiteral("not read back");
            if (!method.isEmpty())
                item.detail = method + QStringLiteral("; ") + item.detail;
            if (run.resumed)
                item.detail = QStringLiteral("gone on with from pass %1, byte %2; %3")
                                  .arg(m_resumeFrom.value(run.device).pass)
                                  .arg(m_resumeFrom.value(run.device).offset)
                                  .arg(item.detail);
        } else {
            const QString said =
                QString::fromUtf8(run.errors).trimmed().section(QLatin1Char('\n'), -1);
            item.detail = !problem.isEmpty()                             ? problem
                          : said.startsWith(QLatin1String("diskutil: ")) ? said.mid(10)
                                                                         : said;
            if (!method.isEmpty() && problem.isEmpty())
                item.detail = method + QStringLiteral(": ") + item.detail;
        }
        report.items.append(item);
        if (report.historyDue) {
            // The certificate's facts: the method, technique and what was read back come from
            // the line's detail.
            const ErasureFacts facts = DriveErasureFacts::make(
                {run.device, m_passes, run.point.started, done, stopped, run.resumed, item.detail,
                 run.before.fileSystem, run.before.label});
            const bool recorded =
                DoDataBase::returnDoDataBase()
                    ->recordVolume(run.device,
                                   done ? QStringLiteral("Erased") : QStringLiteral("Failed"),
                                   false, m_passes, facts.toBytes())
                    .ok();
            allRecorded = allRecorded && recorded;
        }
    }
    report.historyRecorded = report.historyDue && allRecorded;
    return report;
}

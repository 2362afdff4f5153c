#include "app/Job/WipeDriveOperation.h"

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
#include <sys/stat.h>

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

WipeDriveOperation::WipeDriveOperation(QString device, Options options)
    : m_device(std::move(device)), m_options(std::move(options)) {}

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

bool WipeDriveOperation::knownVerify(const QString& verify) {
    static const QRegularExpression sample(QStringLiteral("^sample:([1-9][0-9]?|100)$"));
    return verify == QLatin1String("last") || verify == QLatin1String("all") ||
           verify == QLatin1String("none") || sample.match(verify).hasMatch();
}

DestructiveOperation::Plan WipeDriveOperation::plan(const StopToken&, const ProgressSink&) {
    Plan plan;
    plan.kind = Kind::WipeDrive;
    m_passes = FreeSpaceWipeJob::passesFor(m_options.level, m_options.programName);
    plan.level = m_passes;
    plan.standard = m_passes > 0 ? EraserStandard::nameForLevel(m_passes) : QString();
    if (m_passes == 0)
        plan.refusals.append({m_device, Refusal::UnknownLevel,
                              FreeSpaceWipeJob::kUnknownLevel.arg(m_options.level)});
    if (!knownVerify(m_options.verify))
        plan.refusals.append({m_options.verify, Refusal::BadInput,
                              QStringLiteral("read back \"%1\"? Use last, all, sample:PERCENT or "
                                             "none.")
                                  .arg(m_options.verify)});
    struct stat st {};
    if (!m_device.startsWith(QLatin1String("/dev/")) ||
        ::stat(QFile::encodeName(m_device).constData(), &st) != 0 || !S_ISBLK(st.st_mode)) {
        plan.refusals.append({m_device, Refusal::Missing,
                              QStringLiteral("%1 is not a drive or partition (see `korvane "
                                             "disks`)")
                                  .arg(m_device)});
        return plan;
    }
    if (const QString why = DiskTool::whyNeeded(m_device); !why.isEmpty())
        plan.refusals.append({m_device, Refusal::SystemVolume, why});
    for (const MountTable::Entry& mount : MountTable::read())
        if (onDevice(mount.source, m_device))
            plan.refusals.append({mount.source, Refusal::NotAllowed,
                                  QStringLiteral("%1 is mounted at %2: unmount it first")
                                      .arg(mount.source, mount.target)});
    if (!plan.refusals.isEmpty())
        return plan;
    plan.items << m_device;
    plan.bytes = sizeOf(m_device);
    if (!rotational(m_device))
        plan.notes.append({Warning::SolidState,
                           QStringLiteral("%1 is solid-state storage: overwriting it is a Clear; "
                                          "blocks the drive keeps aside are not reached.")
                               .arg(m_device)});
    plan.consents.append({Consent::Irreversible, m_device,
                          QStringLiteral("Everything on %1 (%2) is lost: its partition table, "
                                         "every partition and what lies between them.")
                              .arg(m_device, VolumeObj::byteToSizeWithByte(qint64(plan.bytes)))});
    return plan;
}

DestructiveOperation::Report WipeDriveOperation::run(const Plan& plan, const Consents& consents,
                                                     const StopToken& stop,
                                                     const ProgressSink& progress) {
    if (auto early = refuseToBegin(plan, consents, stop, ConsentRule::Every,
                                   QStringLiteral("Nothing was written.")))
        return *early;
    Report report;
    report.kind = Kind::WipeDrive;
    report.level = m_passes;
    report.standard = EraserStandard::nameForLevel(m_passes);
    report.historyDue = m_options.recordHistory;

    QString problem;
    const QString tool = DiskUtil::toolPath(&problem);
    QByteArray output, errors;
    int status = -1;
    if (!tool.isEmpty()) {
        QProcess wipe;
        ChildProcessTie::tieToThisProcess(wipe);
        OperationLoop loop(stop, [&wipe] { wipe.terminate(); }); // the tool stops between chunks
        QObject::connect(&wipe, &QProcess::readyReadStandardOutput, [&] {
            while (wipe.canReadLine()) {
                const QByteArray line = wipe.readLine().trimmed();
                const QList<QByteArray> words = line.split(' ');
                if (words.size() == 6 && words.at(0) == "progress" && progress) {
                    // The passes as one stretch of work; the reading back as another.
                    const bool verifying = words.at(1) == "verify";
                    const int pass = words.at(2).toInt(), passes = words.at(3).toInt();
                    const qint64 done = words.at(4).toLongLong(), total = words.at(5).toLongLong();
                    progress({verifying ? Stage::Verifying : Stage::Overwriting,
                              verifying ? done : qint64(pass - 1) * total + done,
                              verifying ? total : qint64(passes) * total, pass, passes, m_device});
                } else
                    output += line + '\n';
            }
        });
        QObject::connect(&wipe, &QProcess::finished, [&loop] { loop.quit(); });
        wipe.start(tool, {QStringLiteral("wipe"), m_device, QStringLiteral("--level"),
                          QString::number(m_passes), QStringLiteral("--verify"), m_options.verify});
        if (wipe.waitForStarted(10000)) {
            loop.exec();
            output += wipe.readAllStandardOutput();
            errors = wipe.readAllStandardError();
            status = wipe.exitStatus() == QProcess::NormalExit ? wipe.exitCode() : -1;
        } else {
            problem = wipe.errorString();
        }
    }
    const bool done = status == 0;
    report.cancelled = !done && stop.stopRequested();
    Item item(m_device,
              done ? Outcome::Done : (report.cancelled ? Outcome::Stopped : Outcome::Failed));
    if (done) {
        item.bytes = plan.bytes;
        static const QRegularExpression verified(QStringLiteral("verified (\\d+)"));
        const quint64 checked = verified.match(QString::fromUtf8(output)).captured(1).toULongLong();
        report.notes << (checked > 0 ? QStringLiteral("%1 of %2 bytes read back and found as "
                                                      "written.")
                                           .arg(checked)
                                           .arg(plan.bytes)
                                     : QStringLiteral("Not read back."));
    } else {
        const QString said = QString::fromUtf8(errors).trimmed().section(QLatin1Char('\n'), -1);
        item.detail = !problem.isEmpty()
                          ? problem
                          : (said.startsWith(QLatin1String("diskutil: ")) ? said.mid(10) : said);
        report.failure = report.cancelled ? QString() : item.detail;
    }
    report.items.append(item);
    if (report.historyDue)
        report.historyRecorded =
            DoDataBase::returnDoDataBase()
                ->recordVolume(m_device, done ? QStringLiteral("Erased") : QStringLiteral("Failed"),
                               false, m_passes)
                .ok();
    return report;
}

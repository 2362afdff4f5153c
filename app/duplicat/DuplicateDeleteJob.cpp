#include "app/duplicat/DuplicateDeleteJob.h"

#include "app/duplicat/Duplicate/algorithm.h"
#include "app/duplicat/EuAuthorization.h"
#include "app/duplicat/FreedesktopTrash.h"

#include <QMetaObject>
#include <QtConcurrent/QtConcurrentRun>
#include <sys/stat.h>

int DuplicateDeleteJob::Report::removed() const {
    int n = 0;
    for (const Line& line : lines)
        n += line.outcome == Outcome::Removed;
    return n;
}

int DuplicateDeleteJob::Report::failed() const {
    int n = 0;
    for (const Line& line : lines)
        n += line.outcome != Outcome::Removed;
    return n;
}

std::uint64_t DuplicateDeleteJob::Report::bytesFreed() const {
    std::uint64_t n = 0;
    for (const Line& line : lines)
        n += line.bytesFreed;
    return n;
}

QStringList DuplicateDeleteJob::Report::failureLines() const {
    QStringList out;
    for (const Line& line : lines)
        if (line.outcome != Outcome::Removed)
            out << line.file->filePathName + QStringLiteral(": ") + line.why;
    return out;
}

QString DuplicateDeleteJob::methodName(Method method) {
    switch (method) {
    case Method::Trash:
        return QStringLiteral("trash");
    case Method::Remove:
        return QStringLiteral("remove");
    case Method::Erase:
        return QStringLiteral("erase");
    }
    return {};
}

std::optional<DuplicateDeleteJob::Method> DuplicateDeleteJob::methodFromName(const QString& name) {
    for (Method m : {Method::Trash, Method::Remove, Method::Erase})
        if (methodName(m) == name)
            return m;
    return std::nullopt;
}

QList<DuplicateDeleteJob::Planned>
DuplicateDeleteJob::plan(const QList<DuplicateGroup>& groups,
                         const QList<DuplicatePick::Marks>& marks) {
    QList<Planned> out;
    for (qsizetype g = 0; g < groups.size() && g < marks.size(); ++g) {
        const DuplicateGroup& group = groups[g];
        const DuplicatePick::Marks safe = DuplicatePick::sanitize(group, marks[g]);
        for (int i = 0; i < group.files.size(); ++i) {
            if (!safe.value(i))
                continue;
            const int ref = DuplicatePick::referenceFor(group, safe, i);
            if (ref >= 0)
                out.append({group.files[i], group.files[ref]});
        }
    }
    return out;
}

DuplicateDeleteJob::DuplicateDeleteJob(Options options, QObject* parent)
    : QObject(parent), m_options(std::move(options)) {
    m_report.method = m_options.method;
    if (!m_options.trashUser)
        m_options.trashUser = UserAccount::invokingUser();
}

DuplicateDeleteJob::~DuplicateDeleteJob() = default;

void DuplicateDeleteJob::cancel() {
    m_cancel = true;
    if (m_erase)
        m_erase->cancel();
}

void DuplicateDeleteJob::start(const QList<DuplicateGroup>& groups,
                               const QList<DuplicatePick::Marks>& marks) {
    m_running = true;
    m_report = Report{};
    m_report.method = m_options.method;
    QList<Planned> items = plan(groups, marks);
    (void)QtConcurrent::run([this, items = std::move(items)]() mutable { work(std::move(items)); });
}

void DuplicateDeleteJob::work(QList<Planned> items) {
    algorithm engine;
    engine.setStopFlag(&m_cancel);
    std::optional<FreedesktopTrash> trash;
    if (m_options.trashUser)
        trash.emplace(*m_options.trashUser);
    QList<Line> lines;
    QList<int> toErase;
    const int total = int(items.size());
    for (int i = 0; i < total; ++i) {
        const Planned& item = items[i];
        Line line;
        line.file = item.file;
        line.keptCopy = item.reference->filePathName;
        line.outcome = Outcome::Kept;
        // After a stop the rest are listed, not shown as steps: progress ends where it stopped.
        if (stopAsked()) {
            line.outcome = Outcome::NotReached;
            line.why = QStringLiteral("not removed: stopped");
            lines.append(line);
            continue;
        }
        QMetaObject::invokeMethod(
            this,
            [this, i, total, path = item.file->filePathName] { emit progress(i, total, path); },
            Qt::QueuedConnection);
        struct stat st {};
        const QByteArray& path = item.file->nativePath;
        if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_ino != item.file->inode || st.st_dev != item.file->device) {
            line.why = QStringLiteral("not removed: it is no longer the file that was found");
            lines.append(line);
            continue;
        }
        QString why;
        if (!engine.sameContent(path, item.reference->nativePath, &why)) {
            line.why = QStringLiteral("not removed: ") + why;
            lines.append(line);
            continue;
        }
        // Its data is freed only when this was its last name.
        const std::uint64_t frees = st.st_nlink == 1 ? std::uint64_t(st.st_size) : 0;
        bool removed = false;
        switch (m_options.method) {
        case Method::Trash:
            if (!trash)
                why = QStringLiteral("no user to whose Trash it could go");
            else
                removed = trash->moveToTrash(path, &why);
            break;
        case Method::Remove:
            removed = EuAuthorization::shareEuAuthorization()->synFastRemovePath(
                item.file->filePathName, &why);
            break;
        case Method::Erase:
            toErase.append(int(lines.size()));
            line.bytesFreed = frees;
            lines.append(line);
            continue;
        }
        line.outcome = removed ? Outcome::Removed : Outcome::Failed;
        line.why = why;
        line.bytesFreed = removed ? frees : 0;
        lines.append(line);
    }
    QMetaObject::invokeMethod(
        this,
        [this, lines, toErase] {
            m_report.lines = lines;
            m_report.cancelled = stopAsked();
            m_toErase = toErase;
            if (m_toErase.isEmpty())
                finish();
            else
                startErasure();
        },
        Qt::QueuedConnection);
}

void DuplicateDeleteJob::startErasure() {
    m_erase = new EraseJob(m_options.erase, this);
    m_erase->setListener(this);
    QList<FileObjPtr> chosen;
    for (const int index : m_toErase)
        if (FileObjPtr item =
                m_erase->builder().addFileToArr(m_report.lines[index].file->nativePath))
            chosen.append(item);
    m_erase->start(chosen);
}

void DuplicateDeleteJob::eraseProgress(float, const QString& path, int index, int total) {
    emit progress(index, total, path);
}

void DuplicateDeleteJob::eraseFinished(const EraseReport& report) {
    for (const int index : m_toErase) {
        Line& line = m_report.lines[index];
        line.outcome = Outcome::Failed;
        line.why = QStringLiteral("it was not erased");
        for (const EraseReport::Line& erased : report.lines) {
            if (erased.item->nativeUrl != line.file->nativePath)
                continue;
            if (erased.outcome == EraseReport::Outcome::Erased) {
                line.outcome = Outcome::Removed;
                line.why = EraseReport::resultText(erased);
            } else {
                const QStringList problems = report.problemLines(3);
                line.why =
                    problems.isEmpty() ? EraseReport::resultText(erased) : problems.join("; ");
            }
        }
        if (line.outcome != Outcome::Removed)
            line.bytesFreed = 0;
    }
    m_report.cancelled = m_report.cancelled || report.cancelled;
    m_report.historyDue = m_options.erase.recordHistory && !report.lines.isEmpty();
    m_report.historyRecorded = report.historyRecorded;
    m_erase->deleteLater();
    m_erase = nullptr;
    finish();
}

void DuplicateDeleteJob::finish() {
    m_running = false;
    emit finished();
}

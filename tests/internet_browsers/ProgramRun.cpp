#include "ProgramRun.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// The processes whose process group is GROUP and that have not ended, as "pid name".
QStringList groupMembers(pid_t group) {
    QStringList out;
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const int pid = name.toInt(&number);
        if (!number)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // "pid (comm) state ppid pgrp ...": comm may hold anything but the last ')'.
        const qsizetype close = line.lastIndexOf(')');
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        if (close < 0 || fields.size() < 3 || fields[0] == "Z" || fields[0] == "X")
            continue;
        if (fields[2].toInt() == group)
            out << QStringLiteral("%1 %2").arg(pid).arg(QString::fromLocal8Bit(
                line.mid(line.indexOf('(') + 1, close - line.indexOf('(') - 1)));
    }
    return out;
}

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

std::string ProgramRun::describe() const {
    QString text = !ended    ? QStringLiteral("did not end in time")
                   : crashed ? QStringLiteral("crashed")
                             : QStringLiteral("exit code %1").arg(exitCode);
    text += QStringLiteral(" after %1 s").arg(seconds, 0, 'f', 1);
    if (!leftBehind.isEmpty())
        text += QStringLiteral("; left running: ") + leftBehind.join(QStringLiteral(", "));
    return (text + QStringLiteral("\n--- stdout (end)\n") +
            QString::fromLocal8Bit(out.right(2000)) + QStringLiteral("\n--- stderr (end)\n") +
            QString::fromLocal8Bit(err.right(4000)))
        .toStdString();
}

ProgramRun ProgramRun::run(const QString& program, const QStringList& args,
                           const QProcessEnvironment& env, const QString& workDir, int timeoutMs) {
    ProgramRun result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(args);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    process.setStandardInputFile(QProcess::nullDevice());
    // A group of its own, so that whatever it starts can be found and ended with it.
    process.setChildProcessModifier([] { ::setsid(); });
    QElapsedTimer clock;
    clock.start();
    process.start();
    if (!process.waitForStarted(10000)) {
        result.err = process.errorString().toLocal8Bit();
        return result;
    }
    const pid_t group = pid_t(process.processId());
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    result.ended = process.state() == QProcess::NotRunning;
    if (!result.ended) {
        ::kill(-group, SIGKILL);
        process.waitForFinished(10000);
    }
    result.seconds = clock.elapsed() / 1000.0;
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    // Helpers may take a moment to follow the main process out.
    for (int i = 0; i < 100 && !groupMembers(group).isEmpty(); ++i)
        wait(100);
    result.leftBehind = groupMembers(group);
    if (!result.leftBehind.isEmpty())
        ::kill(-group, SIGKILL);
    return result;
}

namespace ProfileBytes {

QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

namespace {

// Runs QUERY on a copy of DATABASE and gives the first column of the first row as text.
QString firstValue(const QString& database, const QByteArray& query, bool* ok) {
    *ok = false;
    QTemporaryDir copy;
    const QString path = copy.path() + QStringLiteral("/db");
    if (!QFile::copy(database, path))
        return QStringLiteral("cannot copy %1").arg(database);
    for (const char* companion : {"-wal", "-journal"})
        if (QFile::exists(database + QLatin1String(companion)))
            QFile::copy(database + QLatin1String(companion), path + QLatin1String(companion));
    sqlite3* db = nullptr;
    QString value;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        value = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return value;
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, query.constData(), -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW) {
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        *ok = true;
    } else {
        value = QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return value;
}

} // namespace

qint64 value(const QString& database, const QByteArray& query) {
    bool ok = false;
    const QString text = firstValue(database, query, &ok);
    if (!ok) {
        ADD_FAILURE() << database.toStdString() << ": " << query.constData() << ": "
                      << text.toStdString();
        return -1;
    }
    return text.toLongLong();
}

QString integrity(const QString& database) {
    bool ok = false;
    return firstValue(database, "pragma integrity_check", &ok);
}

QStringList holding(const QString& root, const QList<QByteArray>& markers) {
    QList<std::pair<QByteArray, QByteArray>> forms; // bytes, marker
    for (const QByteArray& m : markers) {
        forms.append({m, m});
        const QString wide = QString::fromLatin1(m);
        forms.append({QByteArray(reinterpret_cast<const char*>(wide.utf16()), wide.size() * 2), m});
    }
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QByteArray bytes = read(path);
        QStringList found;
        for (const auto& [form, marker] : forms)
            if (bytes.contains(form) && !found.contains(QString::fromLatin1(marker)))
                found << QString::fromLatin1(marker);
        if (!found.isEmpty())
            out << QDir(root).relativeFilePath(path) + QStringLiteral(": ") +
                       found.join(QStringLiteral(", "));
    }
    out.sort();
    return out;
}

} // namespace ProfileBytes

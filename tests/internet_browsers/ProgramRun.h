#pragma once

#include <QByteArray>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <string>

// A program run to its end in a process group of its own, while the calling thread's event loop
// keeps running (the loopback site answers the browser meanwhile).
struct ProgramRun {
    bool ended = false; // by itself, within the time allowed
    bool crashed = false;
    int exitCode = -1;
    QByteArray out, err;
    double seconds = 0;
    // Processes of its group still there once it had ended ("pid name"); they are killed.
    QStringList leftBehind;

    bool clean() const { return ended && !crashed && exitCode == 0 && leftBehind.isEmpty(); }
    std::string describe() const;

    static ProgramRun run(const QString& program, const QStringList& args,
                          const QProcessEnvironment& env, const QString& workDir, int timeoutMs);
};

// What a test reads from a profile, without touching it: databases are read from copies (with
// their -wal and -journal), so no -shm or checkpoint of the test's own lands in the profile.
namespace ProfileBytes {

// The first column of the first row of QUERY, -1 (and a test failure) when it cannot be read.
qint64 value(const QString& database, const QByteArray& query);
QString integrity(const QString& database);
// "relative/path: marker, marker" for every file below ROOT holding any of MARKERS, in ASCII or
// UTF-16LE.
QStringList holding(const QString& root, const QList<QByteArray>& markers);
QByteArray read(const QString& path);

} // namespace ProfileBytes

#pragma once

#include "app/Main/FileEraser/FileObjBuilder.h"
#include "app/Main/FileEraser/RemoveFileAndFolder.h"

#include <QStringList>
#include <QTemporaryDir>

namespace enginetest {

// Builders in tests flag nothing as solid state, so option words follow the level alone.
inline const FileObjBuilder::SolidStateTest kNoMediumCheck;

// A temporary outer bundle whose main Resources hold the fake batch "srm" of
// tests/support/FakeSrm.h (see there for the names that change what it does).
class FakeBundle {
public:
    FakeBundle();
    ~FakeBundle();
    QString root() const { return m_dir.path(); }
    QString outer() const { return m_outer; }
    QString srmPath() const;
    // Gives the bundle an empty history database, so that erasures are recorded.
    void addHistoryDatabase() const;
    QStringList srmRuns() const; // "OPTION PATH" lines, one per item, in order
    qint64 sleeperPid() const;

private:
    QTemporaryDir m_dir;
    QString m_outer;
};

// Records every report of a deletion task.
struct Recorder : RemoveFileAndFolderDelegate {
    struct Progress {
        float value;
        QString path;
        int index;
    };
    QList<Progress> progress;
    int fails = 0;
    int ends = 0;
    QList<FileObjPtr> processed;
    std::function<void(int index)> onProgress;

    void removeProgress(float value, const QString& path, int index) override;
    void haveFailEraser() override { ++fails; }
    void removeObjEnd(const QList<FileObjPtr>& list) override;
};

// Runs the event loop until RECORDER saw the end or TIMEOUTMS passed; true when it ended.
bool waitForEnd(const Recorder& recorder, int timeoutMs = 20000);
// Runs the event loop for MS milliseconds.
void spin(int ms);
void writeFile(const QString& path, const QByteArray& data);
// Sets (or clears) the immutable flag; false where the file system has no such flag.
bool setImmutable(const QString& path, bool on);

} // namespace enginetest

#include "EngineTestSupport.h"

#include "app/inter/HistorySchema.h"
#include "platform/BundleLocator.h"
#include "tests/support/FakeSrm.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace enginetest {

FakeBundle::FakeBundle() {
    m_outer = m_dir.path() + QStringLiteral("/KorvaneLoader.app");
    const QString resources =
        m_outer + QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources");
    QDir().mkpath(resources);
    QDir().mkpath(m_outer + QStringLiteral("/Contents/Resources"));
    writeFile(resources + QStringLiteral("/srm"), kFakeBatchSrm);
    QFile::setPermissions(resources + QStringLiteral("/srm"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                              QFileDevice::ReadOther | QFileDevice::ExeOther);
    BundleLocator::setOuterBundlePath(m_outer);
}

FakeBundle::~FakeBundle() {
    BundleLocator::setOuterBundlePath(QString());
}

QString FakeBundle::srmPath() const {
    return m_outer +
           QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/srm");
}

void FakeBundle::addHistoryDatabase() const {
    std::string error;
    EXPECT_TRUE(HistorySchema::createDatabase(
        (QFileInfo(srmPath()).path() + QStringLiteral("/DataBase.db")).toStdString(), 0600, error))
        << error;
}

QStringList FakeBundle::srmRuns() const {
    QFile log(QFileInfo(srmPath()).path() + QStringLiteral("/srm.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

qint64 FakeBundle::sleeperPid() const {
    QFile file(QFileInfo(srmPath()).path() + QStringLiteral("/srm.pid"));
    for (int i = 0; i < 100 && !file.exists(); ++i)
        spin(50);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readAll().trimmed().toLongLong();
}

void Recorder::removeProgress(float value, const QString& path, int index) {
    progress.append({value, path, index});
    if (onProgress)
        onProgress(index);
}

void Recorder::removeObjEnd(const QList<FileObjPtr>& list) {
    ++ends;
    processed = list;
}

bool waitForEnd(const Recorder& recorder, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (recorder.ends == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    // Give a wrongly repeated end the chance to show up.
    spin(100);
    return recorder.ends > 0;
}

void spin(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
}

void writeFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(data), data.size());
}

bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

} // namespace enginetest

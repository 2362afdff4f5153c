#pragma once

#include "LoopImage.h"

#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/inter/DoDataBase.h"
#include "app/inter/HistorySchema.h"
#include "platform/BundleLocator.h"
#include "tests/support/RealToolBundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace wipeproof {

using testsupport::LoopImage;

// A throw-away bundle with an empty history, so every wipe is recorded there and nowhere else,
// holding the real srm where it is built (the names left in FAT and exFAT folders need it).
class WipeBundle {
public:
    WipeBundle() {
        QString outer = makeRealToolBundle(m_dir.path());
        if (outer.isEmpty())
            outer = m_dir.path() + QStringLiteral("/KorvaneLoader.app");
        m_resources =
            outer + QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources");
        QDir().mkpath(m_resources);
        QDir().mkpath(outer + QStringLiteral("/Contents/Resources"));
        // The tool bundle comes with its empty history; the bare one gets one here.
        const QString history = m_resources + QStringLiteral("/DataBase.db");
        std::string error;
        if (!QFileInfo::exists(history))
            EXPECT_TRUE(HistorySchema::createDatabase(history.toStdString(), 0600, error)) << error;
        BundleLocator::setOuterBundlePath(outer);
        m_outer = outer;
    }
    ~WipeBundle() { BundleLocator::setOuterBundlePath(QString()); }

    // The outer bundle, for `korvane --bundle`, and the temporary folder holding it.
    const QString& outer() const { return m_outer; }
    QString folder() const { return m_dir.path(); }
    bool hasVolumeTool() const {
        return QFileInfo::exists(m_resources + QStringLiteral("/diskutil"));
    }

private:
    QTemporaryDir m_dir;
    QString m_outer;
    QString m_resources;
};

inline void writeMarked(const std::string& path, const std::string& marker, std::size_t bytes) {
    std::string data;
    while (data.size() < bytes)
        data += marker + "|";
    data.resize(bytes);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(::write(fd, data.data(), data.size()), ssize_t(data.size()));
    ASSERT_EQ(::fsync(fd), 0);
    ::close(fd);
}

inline VolumeObj volumeAt(const std::string& mountPoint, const QString& name,
                          const QString& type = QString()) {
    VolumeObj v;
    v.volumeName = name;
    v.volumeMountPoint = QString::fromStdString(mountPoint);
    v.volumeType = type;
    return v;
}

// The type the volume tool reports for FS.
inline QString typeNameOf(LoopImage::FileSystem fs) {
    switch (fs) {
    case LoopImage::FileSystem::Vfat:
        return QStringLiteral("MS-DOS FAT16");
    case LoopImage::FileSystem::Exfat:
        return QStringLiteral("ExFAT");
    default:
        return QString::fromLatin1(LoopImage::name(fs));
    }
}

// Runs JOB to its end; ON_PROGRESS sees each progress text.
inline bool runToEnd(FreeSpaceWipeJob& job,
                     const std::function<void(const QString&)>& onProgress = {}) {
    bool ended = false;
    QObject::connect(&job, &FreeSpaceWipeJob::finished, [&] { ended = true; });
    if (onProgress)
        QObject::connect(&job, &FreeSpaceWipeJob::progress,
                         [&](const QString& text, double) { onProgress(text); });
    job.start();
    QElapsedTimer clock;
    clock.start();
    while (!ended && clock.elapsed() < 300000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return ended;
}

inline QString lastHistoryResult() {
    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    if (history.isEmpty())
        return QStringLiteral("(none)");
    return history.first().last().result;
}

} // namespace wipeproof

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace testsupport {

void writeFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(data), data.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString makeBundle(const QString& root) {
    const QString outer = root + QStringLiteral("/KorvaneLoader.app");
    QDir().mkpath(outer + QStringLiteral("/Contents/Resources"));
    QDir().mkpath(outer +
                  QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources"));
    QDir().mkpath(outer + QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/MacOS"));
    return outer;
}

QString shippedSettingsStore() {
    return QStringLiteral(KORVANE_SOURCE_DIR "/app/Resources/NexwipeBase.plist");
}

} // namespace testsupport

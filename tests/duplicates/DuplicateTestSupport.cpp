#include "DuplicateTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace duptest {

QString put(const QString& root, const QString& relative, const QByteArray& data) {
    const QString path = root + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    EXPECT_EQ(file.write(data), data.size());
    return path;
}

QByteArray bytes(qsizetype size, quint32 seed) {
    QByteArray out(size, Qt::Uninitialized);
    quint64 x = 0x9E3779B97F4A7C15ull * (seed + 1);
    for (qsizetype i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        out[i] = char(x >> 24);
    }
    return out;
}

QStringList names(const QList<fileAttrbItemPtr>& items, const QString& root) {
    QStringList out;
    for (const fileAttrbItemPtr& item : items)
        out << item->filePathName.mid(root.size() + 1);
    return out;
}

} // namespace duptest

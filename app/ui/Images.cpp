#include "app/ui/Images.h"

#include "platform/Logger.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace {

const QString kFolder = QStringLiteral(":/images");

void reportMissing(const QString& name) {
    Logger::log(QStringLiteral("Image not found in the resources: %1").arg(name));
}

} // namespace

QString Images::path(const QString& name) {
    return kFolder + QLatin1Char('/') + name + QStringLiteral(".svg");
}

bool Images::exists(const QString& name) {
    return !name.isEmpty() && QFile::exists(path(name));
}

QStringList Images::names() {
    QStringList result;
    const QStringList files = QDir(kFolder).entryList({QStringLiteral("*.svg")}, QDir::Files);
    for (const QString& file : files)
        result << file.chopped(4);
    result.sort();
    return result;
}

QSize Images::naturalSize(const QString& name) {
    if (!exists(name))
        return {};
    return QSvgRenderer(path(name)).defaultSize();
}

QPixmap Images::pixmap(const QString& name, QSize size, qreal devicePixelRatio) {
    if (!exists(name)) {
        reportMissing(name);
        return {};
    }
    QSvgRenderer renderer(path(name));
    if (size.isEmpty())
        size = renderer.defaultSize();
    const QString key = QStringLiteral("korvane:%1:%2x%3@%4")
                            .arg(name)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    QPixmap result(size * devicePixelRatio);
    result.fill(Qt::transparent);
    {
        QPainter painter(&result);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(result.size())));
    }
    result.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, result);
    return result;
}

QIcon Images::icon(const QString& name) {
    if (!exists(name)) {
        reportMissing(name);
        return {};
    }
    // Drawn from the SVG at each size rather than through an icon-engine plug-in, so the icon
    // looks the same wherever the program runs.
    const QSize natural = naturalSize(name);
    QIcon icon;
    for (int side : {16, 20, 24, 32, 48, 64, 128}) {
        const QSize size = natural.scaled(side, side, Qt::KeepAspectRatio);
        icon.addPixmap(pixmap(name, size));
    }
    return icon;
}

QString Images::variant(const QString& name, const QString& suffix) {
    const QString candidate = name + suffix;
    return exists(candidate) ? candidate : name;
}

QString Images::historyImageSet(const QString& unseenFlag) {
    // A missing or non-numeric value reads as 0.
    return unseenFlag.trimmed().toLongLong() != 0 ? QStringLiteral("ic_history")
                                                  : QStringLiteral("ic_nohistory");
}

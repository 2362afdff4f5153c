#include "app/Main/FileEraser/FileEraserRowActions.h"

#include "app/Main/FileEraser/EraseFileOps.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool FileEraserRowActions::open(const QString& path) {
    if (!EraseFileOps::pathExists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool FileEraserRowActions::reveal(const QString& path) {
    if (!EraseFileOps::pathExists(path))
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        const QDBusMessage reply = bus.call(call, QDBus::Block, 3000);
        if (reply.type() == QDBusMessage::ReplyMessage)
            return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

QString FileEraserRowActions::vanishedTitle(bool isDir) {
    return isDir ? tr("Cannot open folder") : tr("Cannot open file");
}

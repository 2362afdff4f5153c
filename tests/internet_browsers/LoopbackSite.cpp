#include "LoopbackSite.h"

#include <QRandomGenerator>
#include <QTcpSocket>
#include <memory>

namespace {

// A 16x16 red PNG.
const QByteArray kIcon = QByteArray::fromRawData(
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x10\x00\x00"
    "\x00\x10\x08\x02\x00\x00\x00\x90\x91\x68\x36\x00\x00\x00\x16\x49\x44\x41\x54\x78\xda\x63"
    "\x38\x21\x27\x47\x12\x62\x18\xd5\x30\xaa\x61\xf8\x6a\x00\x00\xe4\x62\x04\x10\xe9\x9b\x80"
    "\xf1\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82",
    79);

QByteArray response(const QByteArray& status, const QByteArray& type, const QByteArray& body,
                    const QByteArray& extra = {}) {
    return "HTTP/1.1 " + status + "\r\nContent-Type: " + type +
           "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" + extra +
           "Connection: close\r\n\r\n" + body;
}

} // namespace

LoopbackSite::LoopbackSite()
    : m_token(QByteArray::number(QRandomGenerator::global()->generate64(), 36)) {
    QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            struct Request {
                QByteArray head;
                bool answered = false;
            };
            auto request = std::make_shared<Request>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                request->head.append(socket->readAll());
                // GET requests only: the head is all there is.
                if (request->answered || !request->head.contains("\r\n\r\n"))
                    return;
                request->answered = true;
                socket->write(answer(request->head));
                socket->disconnectFromHost();
            });
        }
    });
}

bool LoopbackSite::listen() {
    return m_server.listen(QHostAddress::LocalHost);
}

QByteArray LoopbackSite::path(const QByteArray& page) const {
    return "/korvane-" + m_token + "-" + page + ".html";
}

QString LoopbackSite::url(const QByteArray& page) const {
    return QStringLiteral("http://127.0.0.1:%1%2")
        .arg(m_server.serverPort())
        .arg(QString::fromLatin1(path(page)));
}

QByteArray LoopbackSite::title(const QByteArray& page) const {
    return "Korvane " + m_token + "-" + page + " page";
}

QByteArray LoopbackSite::answer(const QByteArray& request) {
    const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
    QByteArray target = line.size() > 1 ? line[1] : QByteArray();
    if (const qsizetype query = target.indexOf('?'); query >= 0)
        target.truncate(query);
    ++m_hits[target];
    const QByteArray icon = "/korvane-" + m_token + "-gone-icon.png";
    if (target == icon || target == "/favicon.ico")
        return response("200 OK", "image/png", kIcon, "Cache-Control: public, max-age=3600\r\n");
    const QByteArray prefix = "/korvane-" + m_token + "-";
    if (!target.startsWith(prefix) || !target.endsWith(".html"))
        return response("404 Not Found", "text/plain", "not here");
    const QByteArray page = target.mid(prefix.size(), target.size() - prefix.size() - 5);
    const QByteArray body = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" +
                            title(page) + "</title><link rel=\"icon\" type=\"image/png\" href=\"" +
                            icon + "\"></head>\n<body><h1>" + title(page) + "</h1></body></html>\n";
    return response("200 OK", "text/html; charset=utf-8", body,
                    "Cache-Control: public, max-age=3600\r\nSet-Cookie: " + cookieName() + "=" +
                        cookieValue() + "; Max-Age=2592000; Path=/\r\n");
}

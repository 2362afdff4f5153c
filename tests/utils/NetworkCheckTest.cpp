#include "app/Comm/NetworkCheck.h"
#include "app/Comm/PublicUtilities.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

// The check runs a local event loop, which also serves these loopback servers (same thread).
class NetworkCheckTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "utils_tests";
            static char* argv[] = {name, nullptr};
            static QCoreApplication app(argc, argv);
        }
    }
    void SetUp() override { ASSERT_TRUE(server.listen(QHostAddress::LocalHost)); }
    void TearDown() override {
        NetworkCheck::setUrl({});
        NetworkCheck::setTimeoutMs(0);
    }
    QUrl serverUrl() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/check").arg(server.serverPort()));
    }

    QTcpServer server;
};

TEST_F(NetworkCheckTest, AnsweringServerMeansTheNetworkIsUsable) {
    QByteArray request;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [&request, socket] {
            request += socket->readAll();
            if (!request.contains("\r\n\r\n"))
                return;
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 5\r\n"
                          "Connection: close\r\n\r\nhello");
            socket->disconnectFromHost();
        });
    });
    NetworkCheck::setUrl(serverUrl());
    EXPECT_TRUE(PublicUtilities::isCanBeUseNetWork());
    EXPECT_TRUE(request.startsWith("GET /check HTTP/1.1")) << request.toStdString();
    // Caches along the way must not answer for the network.
    EXPECT_TRUE(request.toLower().contains("cache-control: no-cache")) << request.toStdString();
}

TEST_F(NetworkCheckTest, AnAnswerWithoutDataDoesNotCount) {
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            socket->readAll();
            socket->write("HTTP/1.1 204 No Content\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
        });
    });
    NetworkCheck::setUrl(serverUrl());
    EXPECT_FALSE(PublicUtilities::isCanBeUseNetWork());
}

TEST_F(NetworkCheckTest, SilentServerFailsAtTheTimeLimit) {
    QList<QTcpSocket*> held; // accepted and never answered
    QObject::connect(&server, &QTcpServer::newConnection,
                     [&] { held << server.nextPendingConnection(); });
    NetworkCheck::setUrl(serverUrl());
    NetworkCheck::setTimeoutMs(400);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(PublicUtilities::isCanBeUseNetWork());
    EXPECT_GE(clock.elapsed(), 380);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(held.isEmpty()); // the request did reach the server
}

TEST_F(NetworkCheckTest, ClosedPortFailsAtOnce) {
    const QUrl url = serverUrl();
    server.close();
    NetworkCheck::setUrl(url);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(PublicUtilities::isCanBeUseNetWork());
    EXPECT_LT(clock.elapsed(), 3000);
}

} // namespace

// The update check against a local server: a newer, the same and an older version, an answer
// that is no version file, and a server that never answers.
#include "app/Comm/UpdateCheck.h"
#include "app/Comm/UserDefaults.h"
#include "cli/UpdateCommand.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

// Answers every request with BODY, or not at all when SILENT.
class VersionServer {
public:
    VersionServer() {
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost));
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] {
                ++requests;
                socket->readAll();
                if (silent)
                    return;
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                              "Connection: close\r\nContent-Length: " +
                              QByteArray::number(body.size()) + "\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        });
    }
    QUrl url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/version.json").arg(m_server.serverPort()));
    }

    QByteArray body;
    bool silent = false;
    int requests = 0;

private:
    QTcpServer m_server;
};

using Answer = UpdateCheck::Answer;

TEST(UpdateCheckTest, TellsNewerSameAndOlderApartAndFailsOnBadOrMissingAnswers) {
    VersionServer server;
    server.body = R"({"version": "1.10.0", "notes": "https://example.org/notes/1.10"})";
    UpdateCheck::Result r = UpdateCheck::checkNow(server.url(), QStringLiteral("1.9.3"), 5000);
    EXPECT_EQ(r.answer, Answer::Available) << r.message.toStdString();
    EXPECT_EQ(r.version, QStringLiteral("1.10.0")) << "numbers, not text: 10 > 9";
    EXPECT_EQ(r.notes, QUrl(QStringLiteral("https://example.org/notes/1.10")));
    EXPECT_EQ(r.message, QStringLiteral("Version 1.10.0 is available. What is new: "
                                        "https://example.org/notes/1.10"));

    server.body = R"({"version": "1.9.3"})";
    r = UpdateCheck::checkNow(server.url(), QStringLiteral("1.9.3.0"), 5000);
    EXPECT_EQ(r.answer, Answer::UpToDate);
    EXPECT_EQ(r.message, QStringLiteral("Korvane Data Eraser 1.9.3.0 is up to date."));
    server.body = R"j({"version": "1.2", "notes": "javascript:alert(1)"})j";
    r = UpdateCheck::checkNow(server.url(), QStringLiteral("1.9.3"), 5000);
    EXPECT_EQ(r.answer, Answer::UpToDate) << "an older version on the server";
    EXPECT_TRUE(r.notes.isEmpty()) << "only web addresses are shown";

    for (const QByteArray& bad :
         {QByteArray("<html>Not found</html>"), QByteArray(R"({"version": "2.0-beta; rm -rf"})"),
          QByteArray(R"(["1.2"])"), QByteArray(70000, ' ')}) {
        server.body = bad;
        r = UpdateCheck::checkNow(server.url(), QStringLiteral("1.0"), 5000);
        EXPECT_EQ(r.answer, Answer::Failed) << bad.left(40).toStdString();
        EXPECT_TRUE(r.message.startsWith(QLatin1String("The check for updates failed: ")));
    }

    server.silent = true;
    const int before = server.requests;
    r = UpdateCheck::checkNow(server.url(), QStringLiteral("1.0"), 300);
    EXPECT_EQ(r.answer, Answer::Failed);
    EXPECT_TRUE(r.message.contains(QLatin1String("did not answer within 0.3 seconds")))
        << r.message.toStdString();
    EXPECT_EQ(server.requests, before + 1);

    EXPECT_EQ(UpdateCheck::checkNow(QUrl(), QStringLiteral("1.0"), 300).answer, Answer::Failed);
    EXPECT_EQ(UpdateCheck::checkNow(QUrl(QStringLiteral("file:///etc/passwd")),
                                    QStringLiteral("1.0"), 300)
                  .answer,
              Answer::Failed);
}

// korvane update-check --address: the check asks that address, and the stored one, shared with
// the window, stays as it was.
TEST(UpdateCheckTest, AnAddressGivenToTheCommandIsForThatCheckOnly) {
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    const QString stored = QStringLiteral("https://updates.example.org/version.json");
    UserDefaults::mainProgram().setUpdateCheckAddress(stored);
    VersionServer server;
    server.body = R"({"version": "1.0"})";
    const int status = UpdateCommand::run({QStringLiteral("--address"), server.url().toString()},
                                          QStringLiteral("1.0"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    EXPECT_EQ(status, 0) << "up to date, by the address given";
    EXPECT_EQ(server.requests, 1);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    EXPECT_EQ(UserDefaults::mainProgram().updateCheckAddress().toStdString(), stored.toStdString());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

} // namespace

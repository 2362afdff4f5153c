#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// Asks a version file whether a newer version of the program is out. The file is JSON,
// {"version": "1.4.0", "notes": "https://…/release-notes"}, at an address the user sets; the
// check only ever runs when the user asks for it. Versions compare number by number
// ("1.10" is newer than "1.9"); a server that offers an older version means this one is up
// to date.
class UpdateCheck : public QObject {
    Q_OBJECT
public:
    enum class Answer { UpToDate, Available, Failed };
    struct Result {
        Answer answer = Answer::Failed;
        QString version; // the version the server offers
        QUrl notes;      // its release notes (http or https), when given
        QString message; // the sentence shown to the user
    };

    static constexpr int kDefaultTimeoutMs = 10000;
    static constexpr qint64 kMaxAnswerBytes = 64 * 1024;

    explicit UpdateCheck(QObject* parent = nullptr);
    ~UpdateCheck() override;

    void setTimeoutMs(int milliseconds) { m_timeoutMs = milliseconds; }
    // Starts the check of ADDRESS against CURRENT; finished() follows, also on failure.
    void start(const QUrl& address, const QString& current);
    // The same, waiting for the answer (a local event loop: for the command line).
    static Result checkNow(const QUrl& address, const QString& current,
                           int timeoutMs = kDefaultTimeoutMs);

    // What the version file BODY says for CURRENT.
    static Result judge(const QByteArray& body, const QString& current);
    // -1, 0 or 1 as A is older than, the same as or newer than B; both dotted numbers.
    static int compareVersions(const QString& a, const QString& b);
    static bool isVersion(const QString& text);
    static Result failure(const QString& why);

signals:
    void finished(const UpdateCheck::Result& result);

private:
    void end(const Result& result);

    QNetworkAccessManager* m_network;
    QNetworkReply* m_reply = nullptr;
    int m_timeoutMs = kDefaultTimeoutMs;
    QString m_current;
};

#include "app/Comm/UpdateCheck.h"

#include <QCoreApplication>

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>

namespace {

QList<int> partsOf(const QString& version) {
    QList<int> parts;
    for (const QString& part : version.split(QLatin1Char('.')))
        parts << part.toInt();
    while (parts.size() > 1 && parts.last() == 0)
        parts.removeLast(); // "1.2.0" is "1.2"
    return parts;
}

bool isWebAddress(const QUrl& url) {
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
}

} // namespace

UpdateCheck::UpdateCheck(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)) {}

UpdateCheck::~UpdateCheck() {
    if (m_reply)
        m_reply->abort();
}

bool UpdateCheck::isVersion(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{1,6}(\\.[0-9]{1,6}){0,5}$"));
    return pattern.match(text).hasMatch();
}

int UpdateCheck::compareVersions(const QString& a, const QString& b) {
    const QList<int> x = partsOf(a), y = partsOf(b);
    for (qsizetype i = 0; i < std::max(x.size(), y.size()); ++i) {
        const int p = x.value(i), q = y.value(i);
        if (p != q)
            return p < q ? -1 : 1;
    }
    return 0;
}

UpdateCheck::Result UpdateCheck::failure(const QString& why) {
    Result result;
    result.message =
        QCoreApplication::translate("UpdateCheck", "The check for updates failed: %1.").arg(why);
    return result;
}

UpdateCheck::Result UpdateCheck::judge(const QByteArray& body, const QString& current) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    const QString version = document.object().value(QStringLiteral("version")).toString();
    if (error.error != QJsonParseError::NoError || !document.isObject() || !isVersion(version))
        return failure(QCoreApplication::translate(
            "UpdateCheck", "the answer of the update server could not be read"));
    Result result;
    result.version = version;
    const QUrl notes(document.object().value(QStringLiteral("notes")).toString());
    if (isWebAddress(notes))
        result.notes = notes;
    if (compareVersions(version, current) > 0) {
        result.answer = Answer::Available;
        result.message =
            QCoreApplication::translate("UpdateCheck", "Version %1 is available.").arg(version);
        if (!result.notes.isEmpty())
            result.message += QCoreApplication::translate("UpdateCheck", " What is new: %1")
                                  .arg(result.notes.toString());
    } else {
        result.answer = Answer::UpToDate;
        result.message =
            QCoreApplication::translate("UpdateCheck", "Korvane Data Eraser %1 is up to date.")
                .arg(current);
    }
    return result;
}

void UpdateCheck::start(const QUrl& address, const QString& current) {
    m_current = current;
    if (m_reply) {
        m_reply->abort();
        m_reply = nullptr;
    }
    if (address.isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            end(failure(QCoreApplication::translate("UpdateCheck", "no address is set for it")));
        });
        return;
    }
    if (!isWebAddress(address)) {
        QTimer::singleShot(0, this, [this, address] {
            end(failure(QCoreApplication::translate("UpdateCheck", "%1 is not a web address")
                            .arg(address.toString())));
        });
        return;
    }
    QNetworkRequest request(address);
    request.setTransferTimeout(m_timeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(3);
    QNetworkReply* reply = m_network->get(request);
    m_reply = reply;
    // An answer too large for a version file is not read to its end.
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > kMaxAnswerBytes) {
            reply->setProperty("tooLarge", true);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        if (reply != m_reply)
            return;
        m_reply = nullptr;
        const QByteArray body = reply->read(kMaxAnswerBytes + 1);
        const bool tooLarge = reply->property("tooLarge").toBool() || body.size() > kMaxAnswerBytes;
        if (reply->error() == QNetworkReply::OperationCanceledError && !tooLarge) {
            end(failure(QCoreApplication::translate(
                            "UpdateCheck", "the update server did not answer within %1 seconds")
                            .arg(m_timeoutMs / 1000.0)));
        } else if (tooLarge) {
            end(failure(QCoreApplication::translate(
                "UpdateCheck", "the answer of the update server could not be read")));
        } else if (reply->error() != QNetworkReply::NoError) {
            end(failure(reply->errorString()));
        } else {
            end(judge(body, m_current));
        }
    });
}

void UpdateCheck::end(const Result& result) {
    emit finished(result);
}

UpdateCheck::Result UpdateCheck::checkNow(const QUrl& address, const QString& current,
                                          int timeoutMs) {
    UpdateCheck check;
    check.setTimeoutMs(timeoutMs);
    Result result;
    QEventLoop loop;
    connect(&check, &UpdateCheck::finished, &loop, [&](const Result& r) {
        result = r;
        loop.quit();
    });
    check.start(address, current);
    loop.exec();
    return result;
}

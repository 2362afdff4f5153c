#include "app/Comm/NetworkCheck.h"

#include "platform/Logger.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMutex>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

QMutex settingsMutex;
QUrl configuredUrl;
int configuredTimeoutMs = 0;

} // namespace

void NetworkCheck::setUrl(const QUrl& url) {
    QMutexLocker lock(&settingsMutex);
    configuredUrl = url;
}

QUrl NetworkCheck::url() {
    QMutexLocker lock(&settingsMutex);
    return configuredUrl.isEmpty() ? kDefaultUrl : configuredUrl;
}

void NetworkCheck::setTimeoutMs(int milliseconds) {
    QMutexLocker lock(&settingsMutex);
    configuredTimeoutMs = milliseconds;
}

int NetworkCheck::timeoutMs() {
    QMutexLocker lock(&settingsMutex);
    return configuredTimeoutMs > 0 ? configuredTimeoutMs : kDefaultTimeoutMs;
}

bool NetworkCheck::run() {
    const QUrl target = url();
    if (!QCoreApplication::instance()) {
        Logger::log(QStringLiteral("network check of %1: no application object, no event loop")
                        .arg(target.toString()));
        return false;
    }
    QNetworkAccessManager manager;
    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");

    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    bool gotData = false;
    QNetworkReply* reply = manager.get(request);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        if (!reply->readAll().isEmpty())
            gotData = true;
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(timeoutMs());
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (reply->isFinished()) {
        if (!reply->readAll().isEmpty())
            gotData = true;
    } else {
        reply->abort();
        gotData = false; // the page did not come within the limit
    }
    if (!gotData)
        Logger::log(QStringLiteral("network check of %1 failed: %2")
                        .arg(target.toString(),
                             limit.isActive() ? reply->errorString() : QStringLiteral("time-out")));
    delete reply;
    return gotData;
}

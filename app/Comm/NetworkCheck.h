#pragma once

#include <QUrl>

// Whether the network is usable: one request for a known public page, bypassing every cache, that
// must bring data back within a time limit. Blocks the calling thread (it runs a local event loop)
// and needs a QCoreApplication; any thread with one works.
class NetworkCheck {
public:
    static inline const QUrl kDefaultUrl = QUrl(QStringLiteral("http://www.example.com/"));
    static constexpr int kDefaultTimeoutMs = 5000;

    static bool run();

    // The page asked for and the limit; empty URL or a limit of 0 or below restores the default.
    static void setUrl(const QUrl& url);
    static QUrl url();
    static void setTimeoutMs(int milliseconds);
    static int timeoutMs();
};

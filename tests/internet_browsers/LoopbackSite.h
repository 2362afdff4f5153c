#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTcpServer>

// A small web site on 127.0.0.1 for real browsers to visit. Every path and title holds a token
// made for this run, so that their bytes can be looked for in a profile afterwards. Each page
// sets a persistent cookie whose name and value hold the token too, may be cached for an hour and
// names a favicon. The site answers only while the event loop of the thread that made it runs.
class LoopbackSite {
public:
    LoopbackSite();
    bool listen();

    QByteArray token() const { return m_token; }
    // "/korvane-<token>-PAGE.html"
    QByteArray path(const QByteArray& page) const;
    QString url(const QByteArray& page) const;
    // "Korvane <token>-PAGE page"
    QByteArray title(const QByteArray& page) const;
    QByteArray cookieName() const { return "korvane" + m_token + "c"; }
    QByteArray cookieValue() const { return "v" + m_token + "cookie"; }
    // How often PAGE was asked for.
    int hits(const QByteArray& page) const { return m_hits.value(path(page)); }

private:
    QByteArray answer(const QByteArray& request);

    QTcpServer m_server;
    QByteArray m_token;
    QHash<QByteArray, int> m_hits;
};

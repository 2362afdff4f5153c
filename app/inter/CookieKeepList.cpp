#include "app/inter/CookieKeepList.h"

#include "app/Comm/SettingsStore.h"

#include <QRegularExpression>

namespace {

// Labels of letters, digits and hyphens (IDN in its ASCII form), or an IPv4 address.
const QRegularExpression kHost(QStringLiteral(
    "^(?:[a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?)(?:\\.[a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?)*$"));

} // namespace

QString CookieKeepList::normalize(const QString& domain) {
    QString d = domain.trimmed().toLower();
    const qsizetype scheme = d.indexOf(QLatin1String("://"));
    if (scheme >= 0)
        d = d.mid(scheme + 3);
    d = d.section(QLatin1Char('/'), 0, 0).section(QLatin1Char(':'), 0, 0);
    while (d.startsWith(QLatin1Char('.')))
        d.remove(0, 1);
    if (d.endsWith(QLatin1Char('.')))
        d.chop(1);
    if (d.isEmpty() || d.size() > 253 || !kHost.match(d).hasMatch())
        return {};
    return d;
}

CookieKeepList CookieKeepList::from(const QStringList& domains, QStringList* invalid) {
    CookieKeepList list;
    for (const QString& typed : domains) {
        if (typed.trimmed().isEmpty())
            continue;
        const QString d = normalize(typed);
        if (d.isEmpty()) {
            if (invalid)
                *invalid << typed;
        } else if (!list.m_domains.contains(d)) {
            list.m_domains << d;
        }
    }
    return list;
}

CookieKeepList CookieKeepList::stored() {
    const QString text = SettingsStore::mainStore().value(kSettingsKey);
    return from(text.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts));
}

bool CookieKeepList::store(const CookieKeepList& list) {
    return SettingsStore::mainStore().setValue(kSettingsKey, list.m_domains.join(QLatin1Char(',')));
}

bool CookieKeepList::keeps(const QString& host) const {
    QString h = host.trimmed().toLower();
    while (h.startsWith(QLatin1Char('.')))
        h.remove(0, 1);
    if (h.isEmpty())
        return false;
    for (const QString& d : m_domains)
        if (h == d || h.endsWith(QLatin1Char('.') + d))
            return true;
    return false;
}

CookieKeepList CookieKeepList::merged(const CookieKeepList& other) const {
    CookieKeepList out = *this;
    for (const QString& d : other.m_domains)
        if (!out.m_domains.contains(d))
            out.m_domains << d;
    return out;
}

#pragma once

#include <QString>
#include <QStringList>

// The sites whose cookies the cleaner leaves in place (staying signed in to mail or a bank while
// the rest goes). A site is kept with its subdomains: "example.com" keeps the cookies of
// "example.com", ".example.com" and "www.example.com", never those of "notexample.com". The
// cleaner's statements ask kept_cookie(host) for each cookie row.
class CookieKeepList {
public:
    CookieKeepList() = default;
    // DOMAINS as the user typed them; those that are no domain go to INVALID.
    static CookieKeepList from(const QStringList& domains, QStringList* invalid = nullptr);

    // The list kept in the settings store, shared by the window and the command line.
    static CookieKeepList stored();
    // Replaces the stored list; false when the settings store cannot be written.
    static bool store(const CookieKeepList& list);

    // Whether a cookie of HOST (as the browser writes it, with or without a leading dot) stays.
    bool keeps(const QString& host) const;
    // This list with OTHER's domains added.
    CookieKeepList merged(const CookieKeepList& other) const;

    const QStringList& domains() const { return m_domains; }
    bool isEmpty() const { return m_domains.isEmpty(); }

    // DOMAIN in the form kept: lower case, without a scheme, path, port or leading dot; empty
    // when it is not a host name or address.
    static QString normalize(const QString& domain);

    static inline const QString kSettingsKey = QStringLiteral("KeepCookieDomains");

private:
    QStringList m_domains;
};

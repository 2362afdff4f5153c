#pragma once

#include <QByteArray>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The one option parser of every korvane verb, over QCommandLineParser: long options and their
// short forms, "--name value" and "--name=value", "--" ending the options, options anywhere
// among the operands. --help (-h) is known to every verb.
//
// Paths can be given as raw bytes: a name that is not valid in the locale's encoding cannot
// pass through a QString unchanged, so such an argument reaches the parser as a stand-in and
// rawPositional() gives back exactly the bytes that were typed.
class CliOptionParser {
public:
    explicit CliOptionParser(QString verb);

    // An option without a value, by its names ("yes", "y").
    CliOptionParser& flag(const QStringList& names);
    // An option that takes a value.
    CliOptionParser& valued(const QStringList& names, const QString& valueName);

    // ARGS are the words after the verb. False on a usage error (see error()).
    bool parse(const QStringList& args);
    bool parse(const QList<QByteArray>& args);

    bool helpAsked() const { return m_parser.isSet(QStringLiteral("help")); }
    bool isSet(const QString& name) const { return m_parser.isSet(name); }
    QString value(const QString& name) const { return m_parser.value(name); }
    // Every value of an option given more than once.
    QStringList values(const QString& name) const { return m_parser.values(name); }
    QStringList positional() const;
    // The operands exactly as given (after parse() of raw bytes; encoded text otherwise).
    QList<QByteArray> rawPositional() const;
    const QString& error() const { return m_error; }

    // USAGE and MORE are marked with QT_TRANSLATE_NOOP("CliUsage", ...) and printed in the
    // user's language.
    // Says "korvane VERB: TEXT" and USAGE on standard error; returns 2, bad usage.
    int usageError(const QString& text, const char* usage) const;
    int usageError(const char* usage) const { return usageError(m_error, usage); }
    // Parses ARGS the way every verb starts: a usage error ends with status 2, --help prints
    // USAGE (and MORE) and ends with 0; nothing when the verb goes on.
    std::optional<int> parseOrEnd(const QStringList& args, const char* usage,
                                  const char* more = nullptr);

private:
    QString m_verb;
    QCommandLineParser m_parser;
    QList<QByteArray> m_raw;
    QString m_error;
};

#include "cli/CliOptionParser.h"

#include "cli/CliOutput.h"

#include <QFile>
#include <cstdio>

namespace {

// Marks the stand-in of an argument whose bytes a QString cannot carry. An argument that
// itself holds it is replaced too, so a stand-in is never mistaken for a real name.
const QString kStandIn = QStringLiteral("\x01korvane-raw:");

} // namespace

CliOptionParser::CliOptionParser(QString verb) : m_verb(std::move(verb)) {
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    m_parser.addOption(
        QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
}

CliOptionParser& CliOptionParser::flag(const QStringList& names) {
    m_parser.addOption(QCommandLineOption(names));
    return *this;
}

CliOptionParser& CliOptionParser::valued(const QStringList& names, const QString& valueName) {
    m_parser.addOption(QCommandLineOption(names, QString(), valueName));
    return *this;
}

bool CliOptionParser::parse(const QStringList& args) {
    m_raw.clear();
    // The parser takes the program's name first.
    if (!m_parser.parse(QStringList{QStringLiteral("korvane")} + args)) {
        m_error = m_parser.errorText();
        return false;
    }
    m_error.clear();
    return true;
}

bool CliOptionParser::parse(const QList<QByteArray>& args) {
    QStringList texts;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QByteArray& raw = args.at(i);
        const QString text = QFile::decodeName(raw);
        if (QFile::encodeName(text) == raw && !text.contains(kStandIn))
            texts << text;
        else // a leading '-' stays, so an option stays an option
            texts << (raw.startsWith('-') ? QStringLiteral("-") : QString()) + kStandIn +
                         QString::number(i);
    }
    const bool ok = parse(texts);
    m_raw = args;
    return ok;
}

QStringList CliOptionParser::positional() const {
    return m_parser.positionalArguments();
}

QList<QByteArray> CliOptionParser::rawPositional() const {
    QList<QByteArray> out;
    for (const QString& text : m_parser.positionalArguments()) {
        const qsizetype at = text.indexOf(kStandIn);
        if (!m_raw.isEmpty() && at >= 0)
            out << m_raw.value(text.mid(at + kStandIn.size()).toInt());
        else
            out << QFile::encodeName(text);
    }
    return out;
}

std::optional<int> CliOptionParser::parseOrEnd(const QStringList& args, const char* usage,
                                               const char* more) {
    if (!parse(args))
        return usageError(usage);
    if (!helpAsked())
        return std::nullopt;
    std::fputs(CliOutput::usage(usage).constData(), stdout);
    if (more)
        std::fputs(CliOutput::usage(more).constData(), stdout);
    return 0;
}

int CliOptionParser::usageError(const QString& text, const char* usage) const {
    if (!text.isEmpty())
        CliOutput::error(m_verb, text);
    std::fputs(CliOutput::usage(usage).constData(), stderr);
    return 2;
}

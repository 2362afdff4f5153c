#include "cli/CliOutput.h"

#include <cstdio>

void CliOutput::error(const QString& verb, const QString& text) {
    std::fprintf(stderr, "korvane %s: %s\n", local(verb).constData(),
                 local(printable(text)).constData());
}

QString CliOutput::printable(const QString& path) {
    QString out;
    out.reserve(path.size());
    for (const QChar c : path) {
        if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString CliOutput::passes(int count) {
    return tr("%n pass(es)", nullptr, count);
}

QByteArray CliOutput::usage(const char* text) {
    return local(QCoreApplication::translate("CliUsage", text));
}

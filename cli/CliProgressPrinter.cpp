#include "cli/CliProgressPrinter.h"

#include "cli/CliOutput.h"

#include <QLocale>
#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

using Stage = DestructiveOperation::Stage;

CliProgressPrinter::CliProgressPrinter(bool terminal) : m_terminal(terminal) {}

int CliProgressPrinter::terminalWidth() const {
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 20)
        return size.ws_col;
    return 80;
}

QString CliProgressPrinter::elideLeft(const QString& path, int width) {
    if (width <= 3)
        return path.right(qMax(width, 0));
    if (path.size() <= width)
        return path;
    return QStringLiteral("...") + path.right(width - 3);
}

void CliProgressPrinter::closeLine() {
    if (m_lineOpen)
        std::fputs("\n", stderr);
    m_lineOpen = false;
}

void CliProgressPrinter::show(const DestructiveOperation::Progress& p) {
    if (p.stage == Stage::Planning) {
        if (!m_terminal)
            return;
        std::fprintf(stderr, "\r\033[KCounting: %lld entries so far...", qlonglong(p.done));
        std::fflush(stderr);
        m_lineOpen = true;
        return;
    }
    // The end is said by finish(), once the report tells whether the run went that far.
    if (p.total > 0 && p.done >= p.total)
        return;
    const int percent = p.total > 0 ? int(p.done * 100 / p.total) : 0;
    const bool same = percent == m_lastPercent && p.stage == m_lastStage;
    m_lastPercent = percent;
    m_lastStage = p.stage;
    m_shown = true;
    QString text = CliOutput::printable(p.subject);
    if (p.stage == Stage::Copying && p.total > 0) {
        const QLocale c = QLocale::c();
        text = QStringLiteral("%1 of %2  %3")
                   .arg(c.formattedDataSize(p.done, 1, QLocale::DataSizeSIFormat),
                        c.formattedDataSize(p.total, 1, QLocale::DataSizeSIFormat), text);
    }
    if (!m_terminal) {
        if (!same)
            std::fprintf(stderr, "%3d%% %s\n", percent, CliOutput::local(text).constData());
        return;
    }
    constexpr int kBar = 24;
    const int filled = qBound(0, percent * kBar / 100, kBar);
    const QString head = QStringLiteral("%1% [%2%3] ")
                             .arg(percent, 3)
                             .arg(QString(filled, QLatin1Char('#')))
                             .arg(QString(kBar - filled, QLatin1Char(' ')));
    const QString line = head + elideLeft(text, terminalWidth() - int(head.size()) - 1);
    std::fprintf(stderr, "\r\033[K%s", CliOutput::local(line).constData());
    std::fflush(stderr);
    m_lineOpen = true;
}

void CliProgressPrinter::planningEnded() {
    if (m_terminal && m_lineOpen)
        std::fputs("\r\033[K", stderr);
    m_lineOpen = false;
}

void CliProgressPrinter::cancelling(const QString& text) {
    closeLine();
    if (!text.isEmpty())
        std::fprintf(stderr, "%s\n", CliOutput::local(text).constData());
}

void CliProgressPrinter::finish(bool cancelled) {
    if (!m_shown) {
        closeLine();
        return;
    }
    closeLine();
    if (cancelled)
        std::fprintf(stderr, "stopped at %d%%\n", qMax(m_lastPercent, 0));
    else
        std::fputs(m_terminal ? "100% [########################] done\n" : "100% done\n", stderr);
    std::fflush(stderr);
}

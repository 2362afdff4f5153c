#include "cli/EraseProgressPrinter.h"

#include "cli/EraseCommand.h"

#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

EraseProgressPrinter::EraseProgressPrinter(bool terminal) : m_terminal(terminal) {}

int EraseProgressPrinter::terminalWidth() const {
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 20)
        return size.ws_col;
    return 80;
}

QString EraseProgressPrinter::elideLeft(const QString& path, int width) {
    if (width <= 3)
        return path.right(qMax(width, 0));
    if (path.size() <= width)
        return path;
    return QStringLiteral("...") + path.right(width - 3);
}

void EraseProgressPrinter::eraseProgress(float progress, const QString& path, int index,
                                         int total) {
    // The job says 100% once it has ended, cancelled or not: "done" waits for its report.
    m_total = total;
    if (index >= total)
        return;
    m_lastIndex = index;
    show(int(progress), EraseCommand::printable(path), index, total);
}

void EraseProgressPrinter::show(int percent, const QString& text, int index, int total) {
    const bool same = percent == m_lastPercent;
    m_lastPercent = percent;
    if (!m_terminal) {
        if (same && index < total)
            return;
        std::fprintf(stderr, "%3d%% %s\n", percent, text.toLocal8Bit().constData());
        return;
    }
    constexpr int kBar = 24;
    const int filled = qBound(0, percent * kBar / 100, kBar);
    const QString counter = QStringLiteral("%1/%2").arg(qMin(index + 1, total)).arg(total);
    const QString head = QStringLiteral("%1% [%2%3] %4 ")
                             .arg(percent, 3)
                             .arg(QString(filled, QLatin1Char('#')))
                             .arg(QString(kBar - filled, QLatin1Char(' ')))
                             .arg(counter);
    const QString line = head + elideLeft(text, terminalWidth() - int(head.size()) - 1);
    std::fprintf(stderr, "\r\033[K%s", line.toLocal8Bit().constData());
    std::fflush(stderr);
    m_lineOpen = true;
}

void EraseProgressPrinter::cancelled() {
    if (m_lineOpen)
        std::fputs("\n", stderr);
    m_lineOpen = false;
    std::fputs("Cancelling: finishing the pass under way, then removing that file...\n", stderr);
}

void EraseProgressPrinter::eraseFinished(const EraseReport& report) {
    if (report.cancelled) {
        if (m_lineOpen)
            std::fputs("\n", stderr);
        std::fprintf(stderr, "stopped at %d%% (item %d of %d): the erasure was cancelled\n",
                     qMax(m_lastPercent, 0), qMin(m_lastIndex + 1, m_total), m_total);
        m_lineOpen = false;
    } else {
        show(100, QStringLiteral("done"), m_total, m_total);
    }
    if (m_lineOpen)
        std::fputs("\n", stderr);
    m_lineOpen = false;
    std::fflush(stderr);
    if (m_onEnd)
        m_onEnd();
}

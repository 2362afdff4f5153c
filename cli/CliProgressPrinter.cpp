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
        std::fprintf(stderr, "\r\033[K%s",
                     CliOutput::local(tr("Counting: %n entries so far...", nullptr, int(p.done)))
                         .constData());
        std::fflush(stderr);
        m_lineOpen = true;
        return;
    }
    // The end is said by finish(), once the report tells whether the run went that far.
    if (p.total > 0 && p.done >= p.total)
        return;
    if (p.inBytes && p.total > 0) {
        showBytes(p);
        return;
    }
    const int percent = p.total > 0 ? int(p.done * 100 / p.total) : 0;
    const bool same = percent == m_lastPercent && p.stage == m_lastStage;
    m_lastPercent = percent;
    m_lastStage = p.stage;
    m_shown = true;
    QString text = CliOutput::printable(p.subject);
    if (p.stage == Stage::Copying && p.total > 0) {
        const QLocale locale;
        //: Copy progress: %1 copied of %2, then the file's name.
        text = tr("%1 of %2  %3")
                   .arg(locale.formattedDataSize(p.done, 1, QLocale::DataSizeSIFormat),
                        locale.formattedDataSize(p.total, 1, QLocale::DataSizeSIFormat), text);
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

QString CliProgressPrinter::byteFigures(const DestructiveOperation::Progress& p, qint64 doneFrom,
                                        double seconds) {
    const QLocale locale;
    const auto size = [&locale](qint64 bytes) {
        return locale.formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
    };
    QString text = p.stage == Stage::Verifying ? tr("reading back")
                   : p.passes > 0              ? tr("pass %1/%2").arg(p.pass).arg(p.passes)
                                               : QString();
    text += QStringLiteral("  ") + tr("%1 of %2").arg(size(p.done), size(p.total));
    // A speed needs a second of work behind it to mean anything.
    if (seconds >= 1.0 && p.done > doneFrom) {
        const double rate = double(p.done - doneFrom) / seconds;
        const qint64 left = qint64(double(p.total - p.done) / rate + 0.5);
        //: Speed, then the time left as minutes:seconds.
        text += QStringLiteral("  ") + tr("%1/s  %2:%3 left")
                                           .arg(size(qint64(rate)))
                                           .arg(left / 60)
                                           .arg(left % 60, 2, 10, QLatin1Char('0'));
    }
    return text.trimmed();
}

void CliProgressPrinter::showBytes(const DestructiveOperation::Progress& p) {
    const Clock::time_point now = Clock::now();
    auto found = m_rates.find(p.subject);
    if (found == m_rates.end() || found->stage != p.stage)
        found = m_rates.insert(p.subject, Rate{now, p.done, p.stage, -1, {}});
    Rate& rate = *found;
    const int percent = int(p.done * 100 / p.total);
    const bool same = percent == rate.lastPercent;
    rate.lastPercent = percent;
    rate.figures =
        byteFigures(p, rate.doneFrom, std::chrono::duration<double>(now - rate.since).count());
    m_lastPercent = percent;
    m_lastStage = p.stage;
    m_shown = true;
    if (!m_terminal) {
        if (!same)
            std::fprintf(stderr, "%3d%% %s  %s\n", percent,
                         CliOutput::local(CliOutput::printable(p.subject)).constData(),
                         CliOutput::local(rate.figures).constData());
        return;
    }
    // One line for every subject under way, the latest first.
    QString line = QStringLiteral("%1% %2  %3")
                       .arg(percent, 3)
                       .arg(CliOutput::printable(p.subject), rate.figures);
    for (auto other = m_rates.cbegin(); other != m_rates.cend(); ++other)
        if (other.key() != p.subject)
            line += QStringLiteral(" | %1% %2").arg(other->lastPercent).arg(other.key());
    const int width = terminalWidth() - 1;
    if (line.size() > width)
        line.truncate(width);
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
        std::fprintf(
            stderr, "%s\n",
            CliOutput::local(tr("stopped at %1%").arg(qMax(m_lastPercent, 0))).constData());
    else
        std::fprintf(
            stderr, "%s\n",
            CliOutput::local((m_terminal ? QStringLiteral("100% [########################] ")
                                         : QStringLiteral("100% ")) +
                             tr("done"))
                .constData());
    std::fflush(stderr);
}

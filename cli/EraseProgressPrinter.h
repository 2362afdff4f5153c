#pragma once

#include "app/Main/FileEraser/EraseJob.h"

#include <functional>

// Shows an erasure job's progress on standard error: a one-line bar with the current path on a
// terminal, plain lines (one per change of the percentage) otherwise. Both end at "100% done"
// only when the job ran to its end; a cancelled job ends at "stopped" where it was.
class EraseProgressPrinter : public EraseJobListener {
public:
    explicit EraseProgressPrinter(bool terminal);

    void onEnd(std::function<void()> callback) { m_onEnd = std::move(callback); }
    void cancelled();

    void eraseProgress(float percent, const QString& path, int index, int total) override;
    void eraseFinished(const EraseReport& report) override;

    // The path cut from the left to at most WIDTH characters, marked with "...".
    static QString elideLeft(const QString& path, int width);

private:
    int terminalWidth() const;
    void show(int percent, const QString& text, int index, int total);

    bool m_terminal;
    int m_lastPercent = -1;
    int m_lastIndex = 0;
    int m_total = 0;
    bool m_lineOpen = false;
    std::function<void()> m_onEnd;
};

#pragma once

#include "app/Main/FileEraser/RemoveFileAndFolderDelegate.h"

#include <functional>

// Shows the deletion task's progress on standard error: a one-line bar with the current path on a
// terminal, plain lines (one per change of the percentage) otherwise.
class EraseProgressPrinter : public RemoveFileAndFolderDelegate {
public:
    EraseProgressPrinter(bool terminal, qsizetype total);

    void onEnd(std::function<void()> callback) { m_onEnd = std::move(callback); }
    void cancelled();

    void removeProgress(float progress, const QString& path, int index) override;
    void removeObjEnd(const QList<FileObjPtr>& processed) override;

    // The path cut from the left to at most WIDTH characters, marked with "...".
    static QString elideLeft(const QString& path, int width);

private:
    int terminalWidth() const;

    bool m_terminal;
    qsizetype m_total;
    int m_lastPercent = -1;
    bool m_lineOpen = false;
    std::function<void()> m_onEnd;
};

#pragma once

#include "app/Job/DestructiveOperation.h"

#include <QString>

// Shows the typed progress of any operation on standard error: on a terminal one line that is
// redrawn (a bar, the bytes of a copy, the item under way cut to the width); otherwise plain
// lines, one per change of the percentage or the stage, so a log stays short. A long planning
// shows how many entries were counted, on a terminal only. The last line says "100% done" only
// when the run went to its end; a cancelled run ends at "stopped at N%" where it was.
class CliProgressPrinter {
public:
    explicit CliProgressPrinter(bool terminal);

    void show(const DestructiveOperation::Progress& progress);
    // The planning ended: its counting line goes.
    void planningEnded();
    // A stop was asked for: says TEXT (what the run finishes before it stops) on a line of its
    // own.
    void cancelling(const QString& text);
    void finish(bool cancelled);

    // The path cut from the left to at most WIDTH characters, marked with "...".
    static QString elideLeft(const QString& path, int width);

private:
    int terminalWidth() const;
    void closeLine();

    bool m_terminal;
    bool m_lineOpen = false;
    bool m_shown = false; // a step of the run was shown
    int m_lastPercent = -1;
    DestructiveOperation::Stage m_lastStage = DestructiveOperation::Stage::Planning;
};

#pragma once

#include "app/Job/DestructiveOperation.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <chrono>

// Shows the typed progress of any operation on standard error: on a terminal one line that is
// redrawn (a bar, the bytes of a copy, the item under way cut to the width); otherwise plain
// lines, one per change of the percentage or the stage, so a log stays short. Work counted in
// bytes (a drive wipe) shows the pass, the bytes, the speed and the time left of each subject;
// several subjects at once (drives wiped together) share the line, each with its own figures. A
// long planning shows how many entries were counted, on a terminal only. The last line says "100%
// done" only when the run went to its end; a cancelled run ends at "stopped at N%" where it was.
class CliProgressPrinter {
    Q_DECLARE_TR_FUNCTIONS(CliProgressPrinter)

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

    // "pass 2/4  1.1 GB of 4.3 GB  2.4 GB/s  0:12 left": SECONDS since the subject began
    // with DONEFROM bytes done (a resumed or later stage starts above 0).
    static QString byteFigures(const DestructiveOperation::Progress& progress, qint64 doneFrom,
                               double seconds);

private:
    using Clock = std::chrono::steady_clock;
    struct Rate {
        Clock::time_point since;
        qint64 doneFrom = 0;
        DestructiveOperation::Stage stage = DestructiveOperation::Stage::Planning;
        int lastPercent = -1;
        QString figures;
    };
    void showBytes(const DestructiveOperation::Progress& progress);
    int terminalWidth() const;
    void closeLine();

    bool m_terminal;
    bool m_lineOpen = false;
    bool m_shown = false; // a step of the run was shown
    int m_lastPercent = -1;
    DestructiveOperation::Stage m_lastStage = DestructiveOperation::Stage::Planning;
    QMap<QString, Rate> m_rates; // by subject
};

#pragma once

#include <QString>
#include <QtGlobal>

// How long a free-space or volume wipe takes: before it, bytes × passes at a speed stated with
// the figure (nobody should start an 82 GB, three-pass wipe without a word on the hours it
// takes); while it runs, the time left from the part done so far and the time it took.
class WipeTimeEstimate {
public:
    // A speed most USB sticks and old disks still reach while writing large files: the estimate
    // errs on the long side.
    static constexpr qint64 kConservativeBytesPerSecond = 30'000'000;

    // Seconds to write BYTES PASSES times at BYTESPERSECOND (the conservative figure when 0).
    static qint64 seconds(quint64 bytes, int passes, qint64 bytesPerSecond = 0);
    // "Estimated time: about 2 h 17 min (82.00 GB × 3 passes at 30.00 MB/s, a cautious speed;
    // the real one depends on the device)."
    static QString beforeText(quint64 bytes, int passes, qint64 bytesPerSecond = 0);

    // The part of the whole wipe done: PERCENT (0–100) of pass PASS (from 1) of PASSES.
    static double fractionDone(double percent, int pass, int passes);
    // Seconds left once FRACTION (0–1) took ELAPSEDMS; -1 while too little is done to tell.
    static qint64 secondsLeft(double fraction, qint64 elapsedMs);
    // "about 3 min 05 s left (estimate)"; empty while not known.
    static QString leftText(double fraction, qint64 elapsedMs);
};

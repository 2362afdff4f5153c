#pragma once

#include <QWidget>

// The end of a wipe that failed; the note on cancellation shows only when it was cancelled. A
// whole-volume wipe stopped after the volume was formatted (VOLUMEEMPTIED) says so in REASON,
// which is then shown: the volume's files are gone though its free space was not overwritten.
class WipeFailViewController : public QWidget {
    Q_OBJECT
public:
    WipeFailViewController(const QString& reason, bool cancelled, bool volumeEmptied = false,
                           QWidget* parent = nullptr);
};

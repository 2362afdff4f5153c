#pragma once

#include <QWidget>

// The end of a wipe that failed; the note on cancellation shows only when it was cancelled.
class WipeFailViewController : public QWidget {
    Q_OBJECT
public:
    WipeFailViewController(const QString& reason, bool cancelled, QWidget* parent = nullptr);
};

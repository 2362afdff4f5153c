#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/Main/WipeDisk/DriveWipeMeter.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QWidget>

class ImageButton;
class QLabel;
class QProgressBar;

// The progress of a drive wipe: one row per drive with its own bar and its pass, bytes, speed
// and time left (a DriveWipeMeter each), the standard and method above them, and Stop, which
// asks the run to end (each drive's tool stops after the chunk under way).
class WipeDriveProViewController : public QWidget {
    Q_OBJECT
public:
    explicit WipeDriveProViewController(const DestructiveOperation::Plan& plan,
                                        QWidget* parent = nullptr);

    // A report of the run: its subject names the drive whose row it moves.
    void setProgress(const DestructiveOperation::Progress& progress);
    void closeWindow();

    int rowCount() const { return int(m_rows.size()); }
    QProgressBar* barOf(int row) const { return m_rows.at(row).bar; }
    QLabel* textOf(int row) const { return m_rows.at(row).text; }
    ImageButton* stopButton() const { return m_stop; }

signals:
    void stopRequested();

private:
    struct Row {
        QString device;
        QProgressBar* bar;
        QLabel* text;
        DriveWipeMeter meter;
    };

    QList<Row> m_rows;
    QElapsedTimer m_clock;
    QLabel* m_stopping;
    ImageButton* m_stop;
};

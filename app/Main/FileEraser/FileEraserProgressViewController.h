#pragma once

#include <QTimer>
#include <QWidget>

class ImageButton;
class QLabel;
class QProgressBar;

// The progress of a file erasure, shown in an attached window. First, while the selection is
// looked through, "Preparing…" with the entries found so far; then the bar (never below 2 so
// that it is visibly under way), "N of M items", the path being erased (elided in the middle), the
// elapsed time and "Cancel". Reports arrive for every item; the view shows the latest one at
// most every few hundredths of a second so that thousands of tiny items do not flood it.
class FileEraserProgressViewController : public QWidget {
    Q_OBJECT
public:
    FileEraserProgressViewController(const QString& standardName, QWidget* parent = nullptr);

    // The selection is being looked through: FOUND entries so far.
    void setPlanning(qint64 found);
    // PROGRESS in percent, the item's path and its 0-based INDEX among TOTAL items.
    void setProgress(float progress, const QString& path, int index, int total);
    void setElapsedSeconds(qint64 seconds);
    // Cancel was pressed: the button stays disabled while the running item is stopped.
    void showCancelling();

    // "HH:MM:SS".
    static QString elapsedText(qint64 seconds);

    QProgressBar* progressBar() const { return m_bar; }
    QLabel* countLabel() const { return m_count; }
    QLabel* pathLabel() const { return m_path; }
    QLabel* timeLabel() const { return m_time; }
    ImageButton* cancelButton() const { return m_cancel; }

signals:
    void cancelRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyPending();
    void showPath();

    QLabel* m_title = nullptr;
    QProgressBar* m_bar;
    QLabel* m_count;
    QLabel* m_path;
    QLabel* m_time;
    ImageButton* m_cancel;
    QTimer m_throttle;
    struct {
        float progress = 0;
        QString path;
        int index = 0;
        int total = 0;
    } m_pending;
    QString m_fullPath;
};

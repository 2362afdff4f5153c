#pragma once

#include <QWidget>

class ImageButton;
class QLabel;
class QProgressBar;

// The page shown while a search runs: the folder searched, what the search is doing, its
// progress, the path it is at, and "Stop".
class DuplicateSearchView : public QWidget {
    Q_OBJECT
public:
    explicit DuplicateSearchView(QWidget* parent = nullptr);

    void begin(const QString& folder);
    void setProgress(int percent, const QString& step, const QString& path);
    // After "Stop": the button is spent and the view says the search is ending.
    void stopping();

    QProgressBar* progressBar() const { return m_bar; }
    QLabel* stepLabel() const { return m_step; }
    QLabel* pathLabel() const { return m_path; }
    ImageButton* stopButton() const { return m_stop; }

signals:
    void stopRequested();

private:
    QLabel* m_folder;
    QLabel* m_step;
    QProgressBar* m_bar;
    QLabel* m_path;
    ImageButton* m_stop;
};

#pragma once

#include "app/duplicat/DuplicateDeleteJob.h"

#include <QWidget>

class ImageButton;
class QLabel;
class QListWidget;
class QProgressBar;

// The progress of a removal of copies (bar and the copy being handled, "Stop"), then its end:
// what was removed, the space freed, and each copy that stayed with the reason.
class DuplicateDeleteProgressViewController : public QWidget {
    Q_OBJECT
public:
    explicit DuplicateDeleteProgressViewController(QWidget* parent = nullptr);

    void changeProgress(int done, int total, const QString& path);
    void showReport(const DuplicateDeleteJob::Report& report);

    QProgressBar* progressBar() const { return m_bar; }
    QLabel* pathLabel() const { return m_path; }
    QLabel* messageLabel() const { return m_message; }
    QListWidget* failureList() const { return m_failures; }
    ImageButton* stopButton() const { return m_stop; }
    ImageButton* okButton() const { return m_ok; }

signals:
    void stopRequested();

private:
    QWidget* m_progressArea;
    QWidget* m_endArea;
    QLabel* m_title;
    QProgressBar* m_bar;
    QLabel* m_path;
    ImageButton* m_stop;
    QLabel* m_message;
    QListWidget* m_failures;
    ImageButton* m_ok;
};

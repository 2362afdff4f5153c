#pragma once

#include <QWidget>

class ImageButton;
class QLabel;
class QProgressBar;

// The progress of a removal run: the bar and the path being removed; at 100 the end area with
// the result message and "OK".
class UninstallProgressViewController : public QWidget {
    Q_OBJECT
public:
    explicit UninstallProgressViewController(QWidget* parent = nullptr);

    void changeProgressValue(int percent, const QString& shredingPath);
    void changeLabel(const QString& message);

    QProgressBar* progressBar() const { return m_bar; }
    QLabel* pathLabel() const { return m_path; }
    QLabel* messageLabel() const { return m_message; }
    ImageButton* okButton() const { return m_ok; }

signals:
    void uninstallEnd();

private:
    QWidget* m_progressArea;
    QWidget* m_endArea;
    QProgressBar* m_bar;
    QLabel* m_path;
    QLabel* m_message;
    QLabel* m_title;
    ImageButton* m_ok;
};

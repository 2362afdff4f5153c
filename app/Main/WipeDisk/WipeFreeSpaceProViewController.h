#pragma once

#include <QWidget>

class ImageButton;
class QLabel;
class QProgressBar;

// The progress of a volume wipe: the bar (never below 2), the progress text ("Erased 12.50% in
// 1 of 3 passes"), the erasure standard's name and "Cancel".
class WipeFreeSpaceProViewController : public QWidget {
    Q_OBJECT
public:
    WipeFreeSpaceProViewController(const QString& title, const QString& standardName,
                                   QWidget* parent = nullptr);

    void setRemoveProgress(const QString& text, double percent);
    void closeWindow();

    QProgressBar* progressBar() const { return m_bar; }
    QLabel* textLabel() const { return m_text; }
    QLabel* eraserTypeLabel() const { return m_standard; }
    ImageButton* cancelButton() const { return m_cancel; }

signals:
    void cancelRequested();

protected:
    QLabel* m_cancelling = nullptr; // shown once Cancel was pressed

private:
    QProgressBar* m_bar;
    QLabel* m_text;
    QLabel* m_standard;
    ImageButton* m_cancel;
};

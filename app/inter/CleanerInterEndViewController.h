#pragma once

#include "app/inter/BrowserCleaner.h"

#include <QWidget>

class ImageButton;
class QLabel;

// The end of a clean: what was removed, and everything that was not, with the reason (a locked
// database, a running browser, a file that could not be removed, a folder not followed), and
// what overwriting in place cannot reach.
class CleanerInterEndViewController : public QWidget {
    Q_OBJECT
public:
    explicit CleanerInterEndViewController(const BrowserCleaner::Summary& summary,
                                           QWidget* parent = nullptr);

    QLabel* messageLabel() const { return m_message; }
    QLabel* problemsLabel() const { return m_problems; }
    QLabel* refusedLabel() const { return m_refused; }
    QLabel* noteLabel() const { return m_note; }
    ImageButton* okButton() const { return m_ok; }

signals:
    void cleanEnd();

private:
    QLabel* m_message;
    QLabel* m_problems;
    QLabel* m_refused;
    QLabel* m_note;
    ImageButton* m_ok;
};

#pragma once

#include "app/Comm/UpdateCheck.h"

#include <QWidget>

class ImageButton;
class QLabel;
class QLineEdit;

// About Korvane Data Eraser: its version and build, the libraries it uses with their licences,
// and the update check, which runs only when the user presses "Check for updates".
class AboutViewController : public QWidget {
    Q_OBJECT
public:
    explicit AboutViewController(QWidget* parent = nullptr);

    QLineEdit* addressField() const { return m_address; }
    ImageButton* checkButton() const { return m_check; }
    QLabel* answerLabel() const { return m_answer; }
    // The build this program was made from (a commit and a date).
    static QString buildText();

signals:
    void checkEnded(const UpdateCheck::Result& result);

private:
    void checkForUpdates();

    UpdateCheck* m_updates;
    QLineEdit* m_address;
    ImageButton* m_check;
    QLabel* m_answer;
};

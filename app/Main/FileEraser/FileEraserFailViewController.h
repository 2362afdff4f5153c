#pragma once

#include <QWidget>

class ImageButton;
class QLabel;

// The end of an erasure that left something behind or was cancelled: how many of the selected
// items were erased, what failed and why (the erasure tool's reason, one line each), and a line
// saying that the erasure was cancelled, shown only when it was.
class FileEraserFailViewController : public QWidget {
    Q_OBJECT
public:
    FileEraserFailViewController(int erasedCount, int failedCount, bool cancelled,
                                 const QStringList& problems = {}, QWidget* parent = nullptr);

    QLabel* message() const { return m_message; }
    QLabel* problemList() const { return m_problems; }
    QLabel* cancelNotice() const { return m_cancelNotice; }
    ImageButton* okButton() const { return m_ok; }

private:
    QLabel* m_message;
    QLabel* m_problems;
    QLabel* m_cancelNotice;
    ImageButton* m_ok;
};

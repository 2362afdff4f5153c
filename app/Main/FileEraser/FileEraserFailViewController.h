#pragma once

#include <QWidget>

class ImageButton;
class QLabel;

// The end of an erasure that left something behind or was cancelled: how many of the selected
// items were erased, and a line saying that the erasure was cancelled, shown only when it was.
class FileEraserFailViewController : public QWidget {
    Q_OBJECT
public:
    FileEraserFailViewController(int erasedCount, int failedCount, bool cancelled,
                                 QWidget* parent = nullptr);

    QLabel* message() const { return m_message; }
    QLabel* cancelNotice() const { return m_cancelNotice; }
    ImageButton* okButton() const { return m_ok; }

private:
    QLabel* m_message;
    QLabel* m_cancelNotice;
    ImageButton* m_ok;
};

#pragma once

#include <QWidget>

class ImageButton;
class QLabel;

// The end of an erasure in which every selected item was erased. "OK" closes it.
class FileEraserSuccessViewController : public QWidget {
    Q_OBJECT
public:
    FileEraserSuccessViewController(int erasedCount, QWidget* parent = nullptr);

    QLabel* message() const { return m_message; }
    ImageButton* okButton() const { return m_ok; }

private:
    QLabel* m_message;
    ImageButton* m_ok;
};

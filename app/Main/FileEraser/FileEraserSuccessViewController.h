#pragma once

#include <QWidget>

class ImageButton;
class QLabel;

// The end of an erasure in which every selected item was erased. "OK" closes it. When some lay
// on a copy-on-write volume it says that earlier copies may remain there.
class FileEraserSuccessViewController : public QWidget {
    Q_OBJECT
public:
    FileEraserSuccessViewController(int erasedCount, const QString& copyOnWriteNote = {},
                                    QWidget* parent = nullptr);

    QLabel* message() const { return m_message; }
    ImageButton* okButton() const { return m_ok; }

private:
    QLabel* m_message;
    ImageButton* m_ok;
};

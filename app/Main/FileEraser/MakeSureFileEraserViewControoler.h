#pragma once

#include <QWidget>

class ImageButton;
class QLabel;

// The confirmation before files are erased: how many items, with which standard, and that it
// cannot be undone. Shown in an attached window; "Erase" accepts it, "Cancel" rejects it.
class MakeSureFileEraserViewControoler : public QWidget {
    Q_OBJECT
public:
    MakeSureFileEraserViewControoler(int itemCount, const QString& standardName,
                                     QWidget* parent = nullptr);

    QLabel* message() const { return m_message; }
    ImageButton* cancelButton() const { return m_cancel; }
    ImageButton* eraseButton() const { return m_erase; }

private:
    QLabel* m_message;
    ImageButton* m_cancel;
    ImageButton* m_erase;
};

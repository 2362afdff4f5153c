#pragma once

#include <QWidget>

class ImageButton;
class QLabel;

// The confirmation before files are erased: how many items, with which standard, that it
// cannot be undone, and the warnings of the volumes they are on (copy-on-write). Shown in an
// attached window; "Erase" accepts it, "Cancel" rejects it.
class MakeSureFileEraserViewControoler : public QWidget {
    Q_OBJECT
public:
    MakeSureFileEraserViewControoler(int itemCount, const QString& standardName,
                                     const QStringList& warnings = {}, QWidget* parent = nullptr);

    QLabel* message() const { return m_message; }
    ImageButton* cancelButton() const { return m_cancel; }
    ImageButton* eraseButton() const { return m_erase; }

private:
    QLabel* m_message;
    ImageButton* m_cancel;
    ImageButton* m_erase;
};

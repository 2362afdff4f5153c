#pragma once

#include <QWidget>

class ImageButton;

// Shown in an attached window when dropped or chosen items lie on an NTFS volume: such items
// are not added to the list. "OK" closes it.
class FileEraserNtfsNotice : public QWidget {
    Q_OBJECT
public:
    explicit FileEraserNtfsNotice(QWidget* parent = nullptr);
    ImageButton* okButton() const { return m_ok; }

private:
    ImageButton* m_ok;
};

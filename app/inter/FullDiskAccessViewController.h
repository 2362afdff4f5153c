#pragma once

#include <QWidget>

class ImageButton;

// Shown when the browsers' data cannot be read (the user's home cannot be listed): says why
// and what to do, since there are no privacy settings to open here.
class FullDiskAccessViewController : public QWidget {
    Q_OBJECT
public:
    explicit FullDiskAccessViewController(QWidget* parent = nullptr);

    // Its button: there is no settings panel, so it closes the window after the explanation.
    void openSetView();
    void closeWindow();
    ImageButton* okButton() const { return m_ok; }

private:
    ImageButton* m_ok;
};

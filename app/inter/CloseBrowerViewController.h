#pragma once

#include <QStringList>
#include <QWidget>

class ImageButton;

// Asks the user to let running browsers be closed before their data is removed. "Close and
// clean" ends them (BrowserCloser); "Cancel" leaves everything as it is.
class CloseBrowerViewController : public QWidget {
    Q_OBJECT
public:
    // RUNNING: one line per browser, "Firefox (process 1234)".
    explicit CloseBrowerViewController(const QStringList& running, QWidget* parent = nullptr);

    ImageButton* closeButton() const { return m_close; }
    ImageButton* cancelButton() const { return m_cancel; }

private:
    ImageButton* m_close;
    ImageButton* m_cancel;
};

#pragma once

#include <QAbstractButton>
#include <QString>

// A button drawn from an image set: NAME, NAME_press, NAME_hover and NAME_disable (see Images),
// with an optional text.
//
// Layouts:
//  - Background: the image fills the button as a stretchable background whose corners keep
//    their drawn shape, the text is centred on it (push buttons: "btn_sec", "btn_main").
//  - Icon: the image is drawn whole, centred and in proportion; the text, if any, is the
//    tool tip's business (history, trash, export buttons).
//  - Leading: the image at its own size on the left, the text beside it (radio buttons and
//    check boxes: "radiobutton_sel", "checkbox_yes").
class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Layout { Background, Icon, Leading };

    explicit ImageButton(const QString& imageName, const QString& text = {},
                         QWidget* parent = nullptr);

    // Switches to another image set (a radio button going from "radiobutton_no" to
    // "radiobutton_sel", the history button following its flag).
    void setImageName(const QString& imageName);
    const QString& imageName() const { return m_imageName; }

    void setLayout(Layout layout);
    Layout layout() const { return m_layout; }

    // Text size in pixels (12 unless set).
    void setTextSize(int pixelSize);
    int textSize() const { return m_textSize; }
    void setBoldText(bool bold);

    // The image of the set the button shows in its present state.
    QString currentImageName() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QFont textFont() const;

    QString m_imageName;
    Layout m_layout = Layout::Background;
    int m_textSize = 12;
    bool m_bold = false;
    bool m_hovered = false;
    bool m_keyboardFocus = false; // the focus ring shows only when reached by keyboard
};

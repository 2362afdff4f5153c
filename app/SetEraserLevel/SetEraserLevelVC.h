#pragma once

#include <QAbstractButton>
#include <QString>
#include <QWidget>

class CertificateSettingsForm;
class ImageButton;

// The host of the level-selection panel: told when the panel is to be closed (after Save or
// Cancel). The default body does nothing.
class SetEraserLevelVCDelegate {
public:
    virtual ~SetEraserLevelVCDelegate() = default;
    virtual void closeSetEraserLevelView() {}
};

// The erasure-standard panel that slides over the file-eraser and wipe modules: five radio-style
// buttons, one per standard, the names erasure certificates give (CertificateSettingsForm), and
// Cancel / Save. The level lives in the user defaults of the
// running program ("EraserTimes"); the panel holds the chosen level only until Save or Cancel.
class SetEraserLevelVC : public QWidget {
    Q_OBJECT
public:
    // PROGRAMNAME selects whose user defaults are read and written (the main program's by
    // default).
    explicit SetEraserLevelVC(QWidget* parent = nullptr, QString programName = QString());

    void setDelegate(SetEraserLevelVCDelegate* delegate) { m_delegate = delegate; }

    // Shows the stored level.
    void setEraserLevelSelect();
    // Keeps TEXT as the chosen level and selects the button whose identifier equals it; a text
    // that matches no button leaves all five unselected.
    void setLevelStr(const QString& text);
    // A level button was pressed.
    void buttonAction(QAbstractButton* button);
    // Stores the chosen level and closes.
    void saveButtonAction();
    // Closes without storing.
    void cancelButtonAction();

    const QString& eraserLevel() const { return m_eraserLevel; }

    ImageButton* but_1 = nullptr;
    ImageButton* but_2 = nullptr;
    ImageButton* but_3 = nullptr;
    ImageButton* but_7 = nullptr;
    ImageButton* but_35 = nullptr;
    ImageButton* cancelButton = nullptr;
    ImageButton* saveButton = nullptr;
    // The names certificates give; stored with the level on Save.
    CertificateSettingsForm* certificateForm = nullptr;

    // The level a button stands for ("1", "2", "3", "7", "35").
    static QString identifierOf(const QAbstractButton* button);

private:
    QList<ImageButton*> levelButtons() const { return {but_1, but_2, but_3, but_7, but_35}; }
    static void setImage(ImageButton* button, const QString& imageName);
    ImageButton* makeImageButton(const QString& text);

    QString m_programName;
    QString m_eraserLevel;
    SetEraserLevelVCDelegate* m_delegate = nullptr;
};

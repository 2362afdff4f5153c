#include "app/SetEraserLevel/SetEraserLevelVC.h"

#include "app/Comm/UserDefaults.h"
#include "app/SetEraserLevel/CertificateSettingsForm.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/ui/ImageButton.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const char* const kIdentifier = "identifier";

// What each standard does, in the panel's own words.
QString descriptionFor(int level) {
    switch (level) {
    case 1:
        return SetEraserLevelVC::tr("One pass of random data. Fast, and enough for today's hard "
                                    "disks and for solid-state drives.");
    case 2:
        return SetEraserLevelVC::tr("Two passes when wiping free space or a whole drive; files "
                                    "are overwritten once, as with the first standard.");
    case 3:
        return SetEraserLevelVC::tr("Three passes: two of random data, then a fixed pattern, as "
                                    "the U.S. Army prescribes for magnetic media.");
    case 7:
        return SetEraserLevelVC::tr("Seven passes of fixed patterns and random data, after the "
                                    "U.S. Department of Defense's extended method.");
    default:
        return SetEraserLevelVC::tr("35 passes tuned to old magnetic recording methods. Very slow; "
                                    "it adds nothing on modern drives.");
    }
}

} // namespace

SetEraserLevelVC::SetEraserLevelVC(QWidget* parent, QString programName)
    : QWidget(parent), m_programName(programName.isEmpty() ? BundleLocator::kMainProgramName
                                                           : std::move(programName)) {
    setObjectName(QStringLiteral("SetEraserLevelVC"));
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 24);
    layout->setSpacing(10);

    auto* title = new QLabel(tr("Erasure Standard"), this);
    QFont titleFont = title->font();
    titleFont.setPixelSize(18);
    titleFont.setBold(true);
    title->setFont(titleFont);
    layout->addWidget(title);
    auto* hint = new QLabel(tr("Choose how many times erased data is overwritten. Items on "
                               "solid-state drives always get a single pass."),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    ImageButton** fields[] = {&but_1, &but_2, &but_3, &but_7, &but_35};
    int slot = 0;
    for (const EraserStandard& standard : EraserStandard::all()) {
        auto* button = new ImageButton(QStringLiteral("radiobutton_no"),
                                       QString::fromUtf8(standard.name), this);
        button->setObjectName(QString::fromLatin1(standard.button));
        button->setProperty(kIdentifier, QString::number(standard.level));
        button->setLayout(ImageButton::Layout::Leading);
        button->setBoldText(true);
        button->setTextSize(13);
        // The checked state mirrors the picture, for assistive tools.
        button->setCheckable(true);
        connect(button, &ImageButton::clicked, this, [this, button] { buttonAction(button); });
        *fields[slot++] = button;

        auto* description = new QLabel(descriptionFor(standard.level), this);
        description->setWordWrap(true);
        description->setContentsMargins(28, 0, 0, 6);
        layout->addWidget(button);
        layout->addWidget(description);
    }
    layout->addStretch(1);
    certificateForm = new CertificateSettingsForm(this);
    layout->addWidget(certificateForm);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    cancelButton = makeImageButton(tr("Cancel"));
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    saveButton = makeImageButton(tr("Save"));
    saveButton->setObjectName(QStringLiteral("saveButton"));
    buttons->addWidget(cancelButton);
    buttons->addWidget(saveButton);
    layout->addLayout(buttons);
    connect(cancelButton, &ImageButton::clicked, this, &SetEraserLevelVC::cancelButtonAction);
    connect(saveButton, &ImageButton::clicked, this, &SetEraserLevelVC::saveButtonAction);
}

ImageButton* SetEraserLevelVC::makeImageButton(const QString& text) {
    // The "btn_sec" image set, text size 12, enabled.
    auto* button = new ImageButton(QStringLiteral("btn_sec"), text, this);
    button->setTextSize(12);
    button->setMinimumSize(96, 32);
    button->setEnabled(true);
    return button;
}

void SetEraserLevelVC::setImage(ImageButton* button, const QString& imageName) {
    button->setImageName(imageName);
    button->setChecked(imageName == QLatin1String("radiobutton_sel"));
}

QString SetEraserLevelVC::identifierOf(const QAbstractButton* button) {
    return button->property(kIdentifier).toString();
}

void SetEraserLevelVC::setEraserLevelSelect() {
    setLevelStr(QString::asprintf("%d", UserDefaults(m_programName).eraserTimes()));
    certificateForm->load();
}

void SetEraserLevelVC::setLevelStr(const QString& text) {
    for (ImageButton* button : levelButtons())
        setImage(button, QStringLiteral("radiobutton_no"));
    m_eraserLevel = text;
    for (ImageButton* button : levelButtons())
        if (identifierOf(button) == text)
            setImage(button, QStringLiteral("radiobutton_sel"));
}

void SetEraserLevelVC::buttonAction(QAbstractButton* button) {
    if (button)
        setLevelStr(identifierOf(button));
}

void SetEraserLevelVC::saveButtonAction() {
    UserDefaults(m_programName).setEraserTimes(m_eraserLevel.toInt());
    QString error;
    if (!certificateForm->save(&error))
        Logger::log(QStringLiteral("certificate names not stored: %1").arg(error));
    cancelButtonAction();
}

void SetEraserLevelVC::cancelButtonAction() {
    if (m_delegate)
        m_delegate->closeSetEraserLevelView();
}

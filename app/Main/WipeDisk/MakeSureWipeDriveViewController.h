#pragma once

#include "app/Job/DestructiveOperation.h"

#include <QList>
#include <QWidget>

class ImageButton;
class QCheckBox;

// The confirmation before a drive wipe, made from its plan: the standard and method, every
// refusal (then the wipe is not offered: only Close), every note, and one check box per consent
// the plan asks for, each saying by name what is lost or done. "Erase" stays disabled until
// every box is ticked; it closes the window as accepted after confirmed() has told the consents.
class MakeSureWipeDriveViewController : public QWidget {
    Q_OBJECT
public:
    explicit MakeSureWipeDriveViewController(const DestructiveOperation::Plan& plan,
                                             QWidget* parent = nullptr);

    const QList<QCheckBox*>& consentBoxes() const { return m_boxes; }
    // The consents ticked.
    DestructiveOperation::Consents consents() const;
    ImageButton* eraseButton() const { return m_erase; } // none when refused

signals:
    void confirmed(const DestructiveOperation::Consents& consents);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshEraseButton();

    QList<DestructiveOperation::ConsentNeeded> m_needed;
    QList<QCheckBox*> m_boxes; // one per consent needed, in the plan's order
    ImageButton* m_erase = nullptr;
};

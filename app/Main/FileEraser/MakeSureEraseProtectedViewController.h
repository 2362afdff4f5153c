#pragma once

#include <QStringList>
#include <QWidget>

class ImageButton;
class QLabel;

// The second, explicit confirmation before erasing a home folder, a folder the system needs or
// the mount point of a volume: it names each of them and what erasing it means. "Cancel" (the
// default) erases nothing; only "Erase Them Too" goes on.
class MakeSureEraseProtectedViewController : public QWidget {
    Q_OBJECT
public:
    explicit MakeSureEraseProtectedViewController(const QStringList& reasons,
                                                  QWidget* parent = nullptr);

    QLabel* message() const { return m_message; }
    ImageButton* cancelButton() const { return m_cancel; }
    ImageButton* eraseButton() const { return m_erase; }

private:
    QLabel* m_message;
    ImageButton* m_cancel;
    ImageButton* m_erase;
};

#pragma once

#include <QWidget>

class ImageButton;
class QLabel;

// The end of an erasure in which every selected item was erased. "OK" closes it. When some lay
// on a copy-on-write volume it says that earlier copies may remain there and, given that
// volume's mount point, offers to wipe its free space now.
class FileEraserSuccessViewController : public QWidget {
    Q_OBJECT
public:
    FileEraserSuccessViewController(int erasedCount, const QString& copyOnWriteNote = {},
                                    const QString& copyOnWriteVolume = {},
                                    QWidget* parent = nullptr);

    QLabel* message() const { return m_message; }
    ImageButton* okButton() const { return m_ok; }
    ImageButton* wipeFreeSpaceButton() const { return m_wipeFreeSpace; }

signals:
    // The view closed with the choice to wipe the free space of MOUNTPOINT.
    void freeSpaceWipeChosen(const QString& mountPoint);

private:
    QLabel* m_message;
    ImageButton* m_ok;
    ImageButton* m_wipeFreeSpace = nullptr;
};

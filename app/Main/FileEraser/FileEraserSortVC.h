#pragma once

#include <QFrame>

class QRadioButton;

// The sort pop-up of the file eraser: by name or by size, ascending or descending. Choosing an
// option reports the pair at once; the pop-up closes on its own when clicked outside.
class FileEraserSortVC : public QFrame {
    Q_OBJECT
public:
    // SORTTYPE 0 = by name, otherwise by size; SORTAD 0 = ascending, otherwise descending.
    FileEraserSortVC(int sortType, int sortAD, QWidget* parent = nullptr);

    // Shows the pop-up below ANCHOR, right-aligned with it.
    void popUp(QWidget* anchor);

    QRadioButton* byName = nullptr;
    QRadioButton* bySize = nullptr;
    QRadioButton* ascending = nullptr;
    QRadioButton* descending = nullptr;

signals:
    void sortChosen(int sortType, int sortAD);

private:
    void report();
};

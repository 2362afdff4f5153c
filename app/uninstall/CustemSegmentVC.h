#pragma once

#include <QList>
#include <QWidget>

class QPushButton;

// The uninstaller's tab bar: three buttons, identified "0", "1" and "2", one of them chosen.
class CustemSegmentVC : public QWidget {
    Q_OBJECT
public:
    explicit CustemSegmentVC(const QStringList& titles, QWidget* parent = nullptr);

    int selectedIndex() const { return m_selected; }
    void setSelectedIndex(int index);
    QPushButton* button(int index) const { return m_buttons.value(index); }

signals:
    void segmentSelectWithIndex(int index);

private:
    QList<QPushButton*> m_buttons;
    int m_selected = 0;
};

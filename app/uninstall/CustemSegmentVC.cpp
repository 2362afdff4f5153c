#include "app/uninstall/CustemSegmentVC.h"

#include <QHBoxLayout>
#include <QPushButton>

CustemSegmentVC::CustemSegmentVC(const QStringList& titles, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CustemSegmentVC"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (int i = 0; i < titles.size(); ++i) {
        auto* button = new QPushButton(titles[i]);
        button->setObjectName(QString::number(i));
        button->setCheckable(true);
        button->setProperty("role", QStringLiteral("segment"));
        button->setMinimumWidth(110);
        // The owner decides whether the tab changes (setSelectedIndex); until then the checked
        // button stays the chosen one.
        connect(button, &QPushButton::clicked, this, [this, i] {
            setSelectedIndex(m_selected);
            if (i != m_selected)
                emit segmentSelectWithIndex(i);
        });
        m_buttons << button;
        layout->addWidget(button);
    }
    layout->addStretch(1);
    setSelectedIndex(0);
}

void CustemSegmentVC::setSelectedIndex(int index) {
    m_selected = index;
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setChecked(i == index);
}

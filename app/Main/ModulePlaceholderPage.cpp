#include "app/Main/ModulePlaceholderPage.h"

#include "app/ui/Images.h"

#include <QLabel>
#include <QVBoxLayout>

ModulePlaceholderPage::ModulePlaceholderPage(const ModuleInfo& module, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("ModulePlaceholderPage"));
    // The module's icon on a round, accent-tinted badge.
    auto* icon = new QLabel;
    icon->setObjectName(QStringLiteral("PlaceholderIcon"));
    icon->setFixedSize(96, 96);
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(Images::pixmap(module.iconName, QSize(44, 44), devicePixelRatioF()));

    auto* title = new QLabel(module.title);
    title->setProperty("role", QStringLiteral("title"));
    title->setAlignment(Qt::AlignCenter);

    auto* summary = new QLabel(module.summary);
    summary->setProperty("role", QStringLiteral("subtitle"));
    summary->setAlignment(Qt::AlignCenter);
    summary->setWordWrap(true);

    auto* notice = new QLabel(message(module));
    notice->setObjectName(QStringLiteral("PlaceholderNotice"));
    notice->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(80, 0, 80, 0);
    layout->addStretch(3);
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addSpacing(14);
    layout->addWidget(title);
    layout->addSpacing(4);
    layout->addWidget(summary);
    layout->addSpacing(22);
    layout->addWidget(notice, 0, Qt::AlignHCenter);
    layout->addStretch(4);
}

QString ModulePlaceholderPage::message(const ModuleInfo& module) {
    return tr("%1 is not available in this version yet.").arg(module.title);
}

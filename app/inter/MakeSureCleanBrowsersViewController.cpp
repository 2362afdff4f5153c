#include "app/inter/MakeSureCleanBrowsersViewController.h"

#include "app/inter/BrowserKindNames.h"
#include "app/ui/HeaderWidths.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Theme.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kName = 0, kSize = 1;

// The chosen kinds of BROWSER that hold something, or whose content could not be read: a kind
// known to be empty loses nothing and is left out of the question.
QList<BrowerObj*> chosenOf(const BrowerObj& browser) {
    QList<BrowerObj*> chosen;
    for (const BrowerObjPtr& kind : browser.chrArr)
        if (kind->isSelect && (kind->unknown() || kind->totalCount() > 0 || kind->totalBytes() > 0))
            chosen << kind.get();
    return chosen;
}

} // namespace

int MakeSureCleanBrowsersViewController::chosenKinds(const QList<BrowerObjPtr>& browsers) {
    int n = 0;
    for (const BrowerObjPtr& browser : browsers)
        for (const BrowerObjPtr& kind : browser->chrArr)
            n += kind->isSelect ? 1 : 0;
    return n;
}

MakeSureCleanBrowsersViewController::MakeSureCleanBrowsersViewController(
    const QList<BrowerObjPtr>& browsers, const QStringList& keptSites, const QStringList& warnings,
    QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("MakeSureCleanBrowsersViewController"));
    int listed = 0;
    for (const BrowerObjPtr& browser : browsers)
        listed += int(chosenOf(*browser).size());
    auto* layout = FileEraserViewParts::frame(
        this, QStringLiteral("ic_warning"),
        listed == 0 ? tr("Clean the chosen browser data?")
                    : tr("Remove %n kind(s) of browser data?", nullptr, listed));
    setFixedWidth(520);
    layout->addWidget(FileEraserViewParts::paragraph(
        tr("Removed entries are overwritten inside their databases and removed files are "
           "overwritten before they go. This cannot be undone."),
        QStringLiteral("introText")));

    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("chosenTree"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderHidden(true);
    m_tree->header()->setSectionResizeMode(kName, QHeaderView::Stretch);
    m_tree->header()->setStretchLastSection(false);
    m_tree->setColumnWidth(kSize, 110);
    HeaderWidths::fitTitles(m_tree->header());
    m_tree->setSelectionMode(QAbstractItemView::NoSelection);
    m_tree->setFocusPolicy(Qt::NoFocus);
    m_tree->setRootIsDecorated(false);
    m_tree->setItemsExpandable(false);

    QStringList withPasswords, refused;
    bool unknown = false;
    for (const BrowerObjPtr& browser : browsers) {
        if (!browser->isSelect)
            continue;
        for (const QString& folder : browser->refusals)
            refused << QStringLiteral("%1: %2").arg(browser->name, folder);
        const QList<BrowerObj*> chosen = chosenOf(*browser);
        if (chosen.isEmpty())
            continue;
        auto* top = new QTreeWidgetItem(m_tree, {browser->name});
        QFont bold = top->font(kName);
        bold.setBold(true);
        top->setFont(kName, bold);
        for (const BrowerObj* kind : chosen) {
            auto* row =
                new QTreeWidgetItem(top, {BrowserKindNames::shown(kind->name), kind->shownSize()});
            row->setTextAlignment(kSize, Qt::AlignRight | Qt::AlignVCenter);
            if (kind->unknown()) {
                unknown = true;
                row->setForeground(kSize, Theme::kWarning);
                const QString why = kind->problems().join(QLatin1Char('\n'));
                row->setToolTip(kName, why);
                row->setToolTip(kSize, why);
            }
            if (kind->name == kPasswordKind)
                withPasswords << browser->name;
        }
        top->setExpanded(true);
    }
    // As tall as its rows, up to a limit past which it scrolls.
    int rows = m_tree->topLevelItemCount();
    for (int t = 0; t < m_tree->topLevelItemCount(); ++t)
        rows += m_tree->topLevelItem(t)->childCount();
    const int rowHeight = rows > 0 ? m_tree->sizeHintForRow(0) : 0;
    m_tree->setFixedHeight(std::min(240, rows * rowHeight + 2 * m_tree->frameWidth() + 4));
    layout->addWidget(m_tree);
    if (listed == 0) {
        m_tree->hide();
        layout->addWidget(FileEraserViewParts::paragraph(
            tr("The chosen kinds hold nothing at the moment."), QStringLiteral("emptyText")));
    }

    if (!withPasswords.isEmpty()) {
        QWidget* line = FileEraserViewParts::warningLine(
            tr("The passwords saved in %1 are removed: you will have to type them again on "
               "every site, and they cannot be brought back.")
                .arg(withPasswords.join(QStringLiteral(", "))));
        line->setObjectName(QStringLiteral("passwordWarning"));
        layout->addWidget(line);
    }
    if (unknown) {
        QWidget* line = FileEraserViewParts::warningLine(
            tr("What is marked \"unknown\" could not be read (the tooltip says why). The cleaner "
               "tries it anyway; what stays is named at the end."));
        line->setObjectName(QStringLiteral("unknownWarning"));
        layout->addWidget(line);
    }
    for (const QString& text : warnings) {
        QWidget* line = FileEraserViewParts::warningLine(text);
        line->setObjectName(QStringLiteral("volumeWarning"));
        layout->addWidget(line);
    }
    if (!refused.isEmpty()) {
        QLabel* text =
            FileEraserViewParts::paragraph(tr("Not followed, left as they are:") +
                                               QLatin1Char('\n') + refused.join(QLatin1Char('\n')),
                                           QStringLiteral("refusedText"));
        text->setTextFormat(Qt::PlainText);
        layout->addWidget(text);
    }
    if (!keptSites.isEmpty()) {
        QLabel* text = FileEraserViewParts::paragraph(
            tr("Cookies of these sites are kept: %1.").arg(keptSites.join(QStringLiteral(", "))),
            QStringLiteral("keptText"));
        text->setTextFormat(Qt::PlainText);
        layout->addWidget(text);
    }

    m_cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cancel"),
                                           QStringLiteral("cancelButton"));
    m_clean = FileEraserViewParts::button(QStringLiteral("btn_danger"), tr("Clean"),
                                          QStringLiteral("cleanButton"));
    connect(m_cancel, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Rejected); });
    connect(m_clean, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Accepted); });
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({m_cancel, m_clean}));
}

#pragma once

#include "app/inter/BrowerObj.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class ImageButton;
class QTreeWidget;

// The question before the internet cleaner removes anything: per chosen browser the kinds of
// data that go and how much each holds ("unknown" when it could not be read; kinds known to be
// empty are left out), a warning when
// saved passwords are among them, the folders left alone, and the sites whose cookies stay.
// "Clean" accepts, "Cancel" leaves everything as it is.
class MakeSureCleanBrowsersViewController : public QWidget {
    Q_OBJECT
public:
    // BROWSERS: the scan's rows, with the kinds' isSelect as chosen in the tree. KEPT_SITES: the
    // domains whose cookies are kept. WARNINGS: about the volumes the data lies on.
    MakeSureCleanBrowsersViewController(const QList<BrowerObjPtr>& browsers,
                                        const QStringList& keptSites,
                                        const QStringList& warnings = {},
                                        QWidget* parent = nullptr);

    // The kinds of BROWSERS chosen in the tree, empty or not.
    static int chosenKinds(const QList<BrowerObjPtr>& browsers);

    QTreeWidget* tree() const { return m_tree; }
    ImageButton* cleanButton() const { return m_clean; }
    ImageButton* cancelButton() const { return m_cancel; }

    static inline const QString kPasswordKind = QStringLiteral("Save Password"); // rule-file key

private:
    QTreeWidget* m_tree;
    ImageButton* m_clean;
    ImageButton* m_cancel;
};

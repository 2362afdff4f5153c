#pragma once

#include "app/uninstall/AMAppItem.h"

#include <QList>
#include <QSet>
#include <QWidget>

class ImageButton;
class QCheckBox;
class QTreeWidget;
class QTreeWidgetItem;

// The confirmation before removing: one expandable row per application with the items that
// belong to it, each with a check box. Every item starts selected except those in the download
// folder, and those of an application whose package removal was refused (its row says why).
// "Uninstall" is enabled exactly when something is selected.
class MakeSureUninstallViewController : public QWidget {
    Q_OBJECT
public:
    // GROUPS: per application its items, the application first. REFUSALS: per application
    // path, why its package cannot be removed (its items then cannot be chosen). PACKAGES: per
    // application path, the packages its removal takes. Paths in HOME are shown from "~".
    MakeSureUninstallViewController(const QList<QList<AMAppItemPtr>>& groups,
                                    const QHash<QString, QString>& refusals = {},
                                    const QHash<QString, QStringList>& packages = {},
                                    const QString& home = QString(), QWidget* parent = nullptr);

    // The chosen items in order: groups in order, items in group order.
    QList<AMAppItemPtr> selectedRelatedFiles() const;
    bool isSelected(const AMAppItemPtr& item) const {
        return m_selectDeletePath.contains(item.get());
    }
    // A click in the check box of ROW (a group row toggles the whole group).
    void selectRemoveLanguage(QTreeWidgetItem* row);

    // "Erase securely": the related files are overwritten before they are removed.
    bool eraseSecurely() const;
    QCheckBox* eraseSecurelyBox() const { return m_eraseSecurely; }
    QTreeWidget* tree() const { return m_tree; }
    ImageButton* uninstallButton() const { return m_uninstall; }
    ImageButton* cancelButton() const { return m_cancel; }

signals:
    // "Uninstall" was pressed with these items chosen (just before the view closes).
    void uninstallChosen(const QList<AMAppItemPtr>& items);

private:
    void redraw();
    QString checkImage(QTreeWidgetItem* row) const;

    QList<QList<AMAppItemPtr>> m_allRelaltedFiles;
    QSet<const AMAppItem*> m_selectDeletePath;
    QSet<const AMAppItem*> m_locked; // cannot be chosen
    QTreeWidget* m_tree;
    QCheckBox* m_eraseSecurely;
    ImageButton* m_uninstall;
    ImageButton* m_cancel;
};

#pragma once

#include "app/duplicat/Duplicate/AppAttrbItem.h"
#include "app/duplicat/Duplicate/DuplicateGroup.h"
#include "app/duplicat/DuplicateDeleteJob.h"
#include "app/duplicat/DuplicatePick.h"

#include <QList>
#include <QWidget>

class ImageButton;
class QComboBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// The result of a search: a tree with one branch per group of identical files (each copy with
// its size, path and modification date, and what the group wastes), then the groups of
// identical application bundles, shown apart and not offered for deletion. The user ticks the
// copies to delete, by hand or with the helpers that keep the newest, the oldest or the one in a
// chosen folder in every group. Every change goes through DuplicatePick::sanitize, so no group
// can lose all its copies and a copy sharing its storage with a kept one is never ticked.
class DuplicateResultView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPathColumn = 0, kSizeColumn = 1, kDateColumn = 2, kNoteColumn = 3;
    static constexpr int kGroupRole = Qt::UserRole + 1, kFileRole = Qt::UserRole + 2;

    explicit DuplicateResultView(QWidget* parent = nullptr);

    // STOPPED: the search was stopped, so the groups are those found until then.
    void setResults(const QString& folder, const QList<DuplicateGroup>& groups,
                    const QList<QList<AppAttrbItemPtr>>& bundles, bool stopped);
    // Drops the copies a deletion removed; groups left with one copy leave the tree.
    void forgetRemoved(const DuplicateDeleteJob::Report& report);

    void keepNewest();
    void keepOldest();
    // Keeps, in every group, the copies inside FOLDER; groups with none there are left as they
    // are. An empty FOLDER asks for one in a folder dialog.
    void keepInFolder(const QString& folder = {});
    // Ticks (or clears) copy FILE of group GROUP; false when that is refused (the group would
    // lose all its copies, or the copy shares its storage with a kept one).
    bool setMarked(int group, int file, bool marked);

    const QList<DuplicateGroup>& groups() const { return m_groups; }
    const QList<DuplicatePick::Marks>& marks() const { return m_marks; }
    QList<DuplicateDeleteJob::Planned> planned() const;
    DuplicateDeleteJob::Method method() const;
    void setMethod(DuplicateDeleteJob::Method method);

    QTreeWidget* tree() const { return m_tree; }
    QLabel* summaryLabel() const { return m_summary; }
    QLabel* selectionLabel() const { return m_selection; }
    QLabel* noticeLabel() const { return m_notice; }
    QComboBox* methodBox() const { return m_method; }
    ImageButton* removeButton() const { return m_remove; }

signals:
    void removeRequested();
    void newSearchRequested();

private:
    void rebuildTree();
    void applyMarks(int group);
    void updateSelection();
    void showNotice(const QString& text);
    void itemChanged(QTreeWidgetItem* item, int column);
    template <typename Pick> void pickEveryGroup(Pick pick);

    QString m_folder;
    bool m_stopped = false;
    QList<DuplicateGroup> m_groups;
    QList<DuplicatePick::Marks> m_marks;
    QList<QList<AppAttrbItemPtr>> m_bundles;
    bool m_filling = false; // check states set by the view, not by the user

    QLabel* m_summary;
    QTreeWidget* m_tree;
    ImageButton* m_keepNewest;
    ImageButton* m_keepOldest;
    ImageButton* m_keepInFolder;
    QLabel* m_notice;
    QLabel* m_selection;
    QComboBox* m_method;
    ImageButton* m_remove;
};

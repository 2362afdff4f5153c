#pragma once

#include "app/duplicat/DuplicateDeleteJob.h"

#include <QList>
#include <QWidget>

class ImageButton;
class QListWidget;

// Asks before the chosen copies are removed: how (Trash, deletion, secure erasure), how many
// and which, each with the copy that is kept in its place.
class MakeSureDuplicateDeleteViewController : public QWidget {
    Q_OBJECT
public:
    MakeSureDuplicateDeleteViewController(const QList<DuplicateDeleteJob::Planned>& planned,
                                          DuplicateDeleteJob::Method method,
                                          QWidget* parent = nullptr);

    QListWidget* copyList() const { return m_list; }
    ImageButton* deleteButton() const { return m_delete; }
    ImageButton* cancelButton() const { return m_cancel; }

private:
    QListWidget* m_list;
    ImageButton* m_cancel;
    ImageButton* m_delete;
};

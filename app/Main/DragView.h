#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QMimeData;
class ImageButton;

// The file eraser's empty state: a dashed drop area ("dashboder", "dashboder-drop" while files
// are dragged over it) with a hint and an Add button. Dropped local files are handed on as paths.
class DragView : public QWidget {
    Q_OBJECT
public:
    explicit DragView(QWidget* parent = nullptr);

    // The picture the drop area shows now.
    QString frameImage() const { return m_dragging ? kDropFrame : kFrame; }
    ImageButton* addButton() const { return m_addButton; }

    // The local paths of a drag, in order; empty when it carries no local files.
    static QStringList localPaths(const QMimeData* mime);

    // While false (an erasure runs) drops are refused.
    void setAcceptingDrops(bool accepting) { m_accepting = accepting; }

    static inline const QString kFrame = QStringLiteral("dashboder");
    static inline const QString kDropFrame = QStringLiteral("dashboder-drop");

signals:
    void pathsDropped(const QStringList& paths);
    void addRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void setDragging(bool dragging);
    QRect frameRect() const;

    ImageButton* m_addButton;
    QLabel* m_hint;
    bool m_dragging = false;
    bool m_accepting = true;
};

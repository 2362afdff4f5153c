#pragma once

#include <QStringList>
#include <QWidget>

class FileEraserTableModel;
class ImageButton;
class QLabel;
class QTableView;

// The file eraser's list: a bar with the select-all check box, a summary, Sort, Add and
// "Empty list"; the table of items; and "Erase Now". Files dropped anywhere on it are handed on
// as paths. The list itself belongs to the module; this view only shows it.
class FileEraserListView : public QWidget {
    Q_OBJECT
public:
    explicit FileEraserListView(FileEraserTableModel* model, QWidget* parent = nullptr);

    QTableView* table() const { return m_table; }
    ImageButton* selectAllButton() const { return m_selectAll; }
    ImageButton* sortButton() const { return m_sort; }
    ImageButton* addButton() const { return m_add; }
    ImageButton* emptyButton() const { return m_empty; }
    ImageButton* eraseButton() const { return m_erase; }
    QLabel* summaryLabel() const { return m_summary; }

    // Shows the select-all state, the summary and whether Erase Now can be pressed.
    void refresh(bool allSelected, int selectedCount, int totalCount, qint64 selectedBytes);

    void setAcceptingDrops(bool accepting) { m_accepting = accepting; }

signals:
    void pathsDropped(const QStringList& paths);
    void rowMenuRequested(int row, const QPoint& globalPos);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    ImageButton* toolButton(const QString& imageSet, const QString& text, const QString& name);

    FileEraserTableModel* m_model;
    QTableView* m_table;
    ImageButton* m_selectAll;
    QLabel* m_summary;
    ImageButton* m_sort;
    ImageButton* m_add;
    ImageButton* m_empty;
    ImageButton* m_erase;
    bool m_accepting = true;
};

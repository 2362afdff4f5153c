#pragma once

#include "app/Main/FileEraser/FileObj.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>

// The file eraser's table over the module's list (valueArr, not owned): a check-box column,
// the icon and name, the type, the size as a decimal size text, and the full path.
class FileEraserTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Check, Name, Type, Size, Path, ColumnCount };

    explicit FileEraserTableModel(QList<FileObjPtr>* items, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The list was replaced or changed wholesale: redraw every row.
    void reload();
    FileObjPtr itemAt(int row) const;
    // Flips the selection of ROW.
    void toggle(int row);

    // The icon for an item: the folder icon for folders, the file's own for an application
    // bundle, otherwise the icon of its lower-cased extension. Cached per kind.
    QIcon iconFor(const FileObj& item) const;

signals:
    // An item's selection changed through the table.
    void selectionToggled();

private:
    QList<FileObjPtr>* m_items;
    mutable QHash<QString, QIcon> m_icons;
};

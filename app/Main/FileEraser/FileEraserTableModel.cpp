#include "app/Main/FileEraser/FileEraserTableModel.h"

#include "app/Comm/PublicUtilities.h"
#include "app/ui/Images.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

FileEraserTableModel::FileEraserTableModel(QList<FileObjPtr>* items, QObject* parent)
    : QAbstractTableModel(parent), m_items(items) {}

int FileEraserTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_items->size());
}

int FileEraserTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

FileObjPtr FileEraserTableModel::itemAt(int row) const {
    return row >= 0 && row < m_items->size() ? m_items->at(row) : nullptr;
}

QIcon FileEraserTableModel::iconFor(const FileObj& item) const {
    static const QFileIconProvider provider;
    if (item.isDir && !item.url.endsWith(QLatin1String(".app")))
        return provider.icon(QFileIconProvider::Folder);
    const QString key = item.type.toLower();
    auto cached = m_icons.constFind(key);
    if (cached != m_icons.constEnd())
        return *cached;
    // The themed icon of the extension's type, as the file manager would show it.
    static const QMimeDatabase mimes;
    const QMimeType mime =
        mimes.mimeTypeForFile(QStringLiteral("x.") + key, QMimeDatabase::MatchExtension);
    QIcon icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
    if (icon.isNull())
        icon = provider.icon(QFileIconProvider::File);
    m_icons.insert(key, icon);
    return icon;
}

QVariant FileEraserTableModel::data(const QModelIndex& index, int role) const {
    const FileObjPtr item = itemAt(index.row());
    if (!item)
        return {};
    switch (index.column()) {
    case Check:
        if (role == Qt::DecorationRole)
            return Images::icon(item->isSelect ? QStringLiteral("checkbox_yes")
                                               : QStringLiteral("checkbox_no"));
        if (role == Qt::AccessibleTextRole)
            return item->isSelect ? tr("Selected") : tr("Not selected");
        break;
    case Name:
        if (role == Qt::DisplayRole)
            return item->name;
        if (role == Qt::DecorationRole)
            return iconFor(*item);
        if (role == Qt::ToolTipRole)
            return item->url;
        break;
    case Type:
        if (role == Qt::DisplayRole)
            return item->isDir ? tr("Folder") : item->type;
        break;
    case Size:
        if (role == Qt::DisplayRole)
            return item->isDir && item->size == 0 ? QStringLiteral("--")
                                                  : PublicUtilities::longlongDiskSize(item->size);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case Path:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return item->url;
        break;
    default:
        break;
    }
    return {};
}

QVariant FileEraserTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Name:
        return tr("Name");
    case Type:
        return tr("Type");
    case Size:
        return tr("Size");
    case Path:
        return tr("Path");
    default:
        return {};
    }
}

Qt::ItemFlags FileEraserTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool FileEraserTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const FileObjPtr item = itemAt(index.row());
    if (!item || index.column() != Check || role != Qt::CheckStateRole)
        return false;
    item->isSelect = value.toInt() == Qt::Checked;
    emit dataChanged(this->index(index.row(), Check), this->index(index.row(), Check));
    emit selectionToggled();
    return true;
}

void FileEraserTableModel::toggle(int row) {
    if (const FileObjPtr item = itemAt(row))
        setData(index(row, Check), item->isSelect ? Qt::Unchecked : Qt::Checked,
                Qt::CheckStateRole);
}

void FileEraserTableModel::reload() {
    beginResetModel();
    endResetModel();
}

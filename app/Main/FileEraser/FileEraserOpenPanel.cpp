#include "app/Main/FileEraser/FileEraserOpenPanel.h"

#include "app/Main/FileEraser/FileEraserViewController.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTreeView>
#include <QUrl>

namespace {

QList<QAbstractItemView*> entryViews(QFileDialog& dialog) {
    QList<QAbstractItemView*> views;
    for (const char* name : {"listView", "treeView"})
        if (auto* view = dialog.findChild<QAbstractItemView*>(QLatin1String(name)))
            views.append(view);
    return views;
}

} // namespace

void FileEraserOpenPanel::configure(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setFilter(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    dialog.setLabelText(QFileDialog::Accept, QFileDialog::tr("Add"));
    dialog.setWindowTitle(QFileDialog::tr("Add Files and Folders"));
    // The panel's own places name the process's home, which is root's when the program runs
    // with administrator rights: the user it works for is shown instead.
    dialog.setSidebarUrls({QUrl::fromLocalFile(FileEraserViewController::userHomeFolder()),
                           QUrl::fromLocalFile(QStringLiteral("/"))});
    for (QAbstractItemView* view : entryViews(dialog))
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The detail view's default columns cut sizes and dates short at the panel's width.
    if (auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        tree->header()->resizeSection(0, 330);
        tree->header()->resizeSection(1, 100);
        tree->header()->resizeSection(2, 90);
        tree->header()->resizeSection(3, 150);
    }
    // The dialog's own accept would open a chosen folder instead of returning it: take the
    // selection as it stands.
    auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QPushButton* add = box ? box->button(QDialogButtonBox::Open) : nullptr;
    if (!add)
        return;
    QObject::disconnect(box, &QDialogButtonBox::accepted, &dialog, nullptr);
    QObject::connect(add, &QPushButton::clicked, &dialog, [&dialog] {
        // A folder typed into the name field is opened, as the dialog always does; folders are
        // added by selecting them.
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        bool selected = false;
        for (QAbstractItemView* view : entryViews(dialog))
            selected =
                selected || (view->selectionModel() && view->selectionModel()->hasSelection());
        if (!selected && edit && !edit->text().trimmed().isEmpty()) {
            const QString typed = QDir(dialog.directory()).absoluteFilePath(edit->text().trimmed());
            if (QFileInfo(typed).isDir()) {
                dialog.setDirectory(typed);
                edit->clear();
                // The completer may have selected the folder in the listing it came from.
                for (QAbstractItemView* view : entryViews(dialog))
                    if (view->selectionModel())
                        view->selectionModel()->clearSelection();
                return;
            }
        }
        if (!chosenPaths(dialog).isEmpty())
            static_cast<QDialog&>(dialog).done(QDialog::Accepted);
    });
    // With a folder selected the dialog disables its button and renames it "Open"; keep it
    // usable and saying what it does.
    const QString addText = add->text();
    auto keepEnabled = [add, addText](auto&&...) {
        add->setEnabled(true);
        add->setText(addText);
    };
    for (QAbstractItemView* view : entryViews(dialog))
        QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, add,
                         keepEnabled, Qt::QueuedConnection);
}

QStringList FileEraserOpenPanel::chosenPaths(QFileDialog& dialog) {
    QStringList paths;
    QSet<QString> seen;
    for (QAbstractItemView* view : entryViews(dialog)) {
        auto* model = qobject_cast<QFileSystemModel*>(view->model());
        if (!model || !view->selectionModel())
            continue;
        // The list selects single cells, the detail view whole rows: any column names the entry.
        for (const QModelIndex& index : view->selectionModel()->selectedIndexes()) {
            // Only entries of the folder on show count: a selection left behind in another
            // folder (after navigating away) is invisible to the user and must not be added.
            if (index.parent() != view->rootIndex())
                continue;
            const QString path = model->filePath(index);
            if (!seen.contains(path)) {
                seen.insert(path);
                paths.append(path);
            }
        }
    }
    if (!paths.isEmpty())
        return paths;
    // Nothing selected: names typed into the name field, relative to the folder shown.
    if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        const QString typed = edit->text().trimmed();
        if (!typed.isEmpty()) {
            const QString path = QDir(dialog.directory()).absoluteFilePath(typed);
            if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
                paths.append(QDir::cleanPath(path));
        }
    }
    return paths;
}

QStringList FileEraserOpenPanel::choose(QWidget* parent, QString* folder) {
    QFileDialog dialog(parent ? parent->window() : nullptr);
    dialog.setDirectory(*folder);
    configure(dialog);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.resize(820, 520);
    QStringList paths;
    if (dialog.exec() == QDialog::Accepted)
        paths = chosenPaths(dialog);
    *folder = dialog.directory().absolutePath();
    return paths;
}

#pragma once

#include <QCoreApplication>
#include <QString>

// The row actions of the file eraser's list: open an item with its default application, or show
// it in the file manager. Both answer false when the item is gone, so the caller can say so.
class FileEraserRowActions {
    Q_DECLARE_TR_FUNCTIONS(FileEraserRowActions)

public:
    static bool open(const QString& path);
    // Asks the file manager (FileManager1 over D-Bus) to show PATH selected; when no file
    // manager answers, opens the folder that holds it.
    static bool reveal(const QString& path);
    // The alert title for a vanished item: "Cannot open folder" or "Cannot open file".
    static QString vanishedTitle(bool isDir);
};

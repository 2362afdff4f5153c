#pragma once

#include <QStringList>

class QFileDialog;
class QWidget;

// The Add panel: one dialog in which files and folders can be chosen together, several at once,
// hidden ones shown. The platform's own dialog picks either files or one folder, so this is the
// toolkit's dialog, set up to take any mix of selected entries; double-clicking a folder still
// opens it.
class FileEraserOpenPanel {
public:
    // Runs the panel window-modal on PARENT's window, starting in *FOLDER. Returns the chosen
    // paths (empty when cancelled) and leaves *FOLDER at the folder the panel was last in.
    static QStringList choose(QWidget* parent, QString* folder);

    // Sets DIALOG up for mixed choices; the chosen paths are read with chosenPaths().
    static void configure(QFileDialog& dialog);
    // What DIALOG's views have selected, or else the names typed into it.
    static QStringList chosenPaths(QFileDialog& dialog);
};

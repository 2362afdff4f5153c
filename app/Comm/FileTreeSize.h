#pragma once

#include <QByteArray>
#include <QtGlobal>

// The size of a file or folder tree: the sum of the logical sizes of the regular files in it.
// Symbolic links are never followed (a link counts 0, wherever it points), a folder that cannot
// be opened counts 0, and deep trees are walked with an explicit stack holding one open folder
// at a time, so neither the call stack nor the descriptor table limits the depth.
class FileTreeSize {
public:
    static quint64 of(const QByteArray& path);
};

#pragma once

#include "app/Main/FileEraser/FileObj.h"

#include <QList>

// The end of an erasure as the user sees it: every selected top-level item is "Erased" when its
// path is gone and "Failed" when anything is still there (a link counts as something), whatever
// the per-file results of the run were.
class FileEraserOutcome {
public:
    // Marks the selected items of VALUEARR, removes them from it (unselected items stay, in
    // order) and returns them in display order, ready for the history.
    static QList<FileObjPtr> takeSelectedResults(QList<FileObjPtr>& valueArr);
    static bool pathStillExists(const QString& path);
};

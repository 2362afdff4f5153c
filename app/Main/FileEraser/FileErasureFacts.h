#pragma once

#include "app/Certificate/ErasureFacts.h"
#include "app/Main/FileEraser/EraseReport.h"
#include "app/Main/FileEraser/FileObj.h"

#include <QList>

// The certificate facts of a file erasure, from its report: each chosen item with its bytes
// (a folder's: the files under it that were planned) and result, the standard that ran, how the
// result was checked (each path must be gone afterwards), the problems met and the outcome.
class FileErasureFacts {
public:
    // FACTS: begun when the run began. LEVEL: the run's standard (passes); WORK: the planned
    // files and folders under the chosen items.
    static void complete(ErasureFacts& facts, const EraseReport& report, int level,
                         const QList<FileObjPtr>& work);
};

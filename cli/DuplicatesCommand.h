#pragma once

#include <QCoreApplication>
#include <QStringList>

// korvane duplicates: the duplicate finder from the command line. Lists groups of identical
// files and application bundles under a folder, in the search's result order, and deletes the
// copies a rule picks through the same job as the window.
class DuplicatesCommand {
    Q_DECLARE_TR_FUNCTIONS(DuplicatesCommand)

public:
    static int run(const QStringList& args);
};

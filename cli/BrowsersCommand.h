#pragma once

#include <QCoreApplication>
#include <QStringList>

// korvane browsers: the internet cleaner from the command line. Lists the browsers found, their
// profiles and what each data kind holds; removes the chosen kinds through the same core as
// the window.
class BrowsersCommand {
    Q_DECLARE_TR_FUNCTIONS(BrowsersCommand)

public:
    static int run(const QStringList& args);
};

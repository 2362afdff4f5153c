#pragma once

#include <QStringList>

// korvane browsers: the internet cleaner from the command line. Lists the browsers found, their
// profiles and what each data kind holds; removes the chosen kinds through the same core as
// the window.
class BrowsersCommand {
public:
    static int run(const QStringList& args);
};

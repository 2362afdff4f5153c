#pragma once

#include "app/inter/BrowserLockProbe.h"

#include <QList>
#include <QString>
#include <functional>

// Ends running browsers the user agreed to close: "/bin/kill PID" for each (as the program
// runs: directly when it may signal the process, else with administrator rights), then waits
// until the markers are released, since the browser writes its files while it shuts down.
class BrowserCloser {
public:
    // Asks again who still holds the markers.
    using Probe = std::function<QList<BrowserLockProbe::Holder>()>;

    // True once PROBE finds nobody; false after WAITMS, or when a holder cannot be ended (on
    // another host), with *WHY saying which.
    static bool close(const QList<BrowserLockProbe::Holder>& holders, const Probe& probe,
                      int waitMs, QString* why = nullptr);
};

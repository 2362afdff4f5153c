#include "app/Comm/EraserStandardNotifier.h"

EraserStandardNotifier& EraserStandardNotifier::instance() {
    static EraserStandardNotifier notifier;
    return notifier;
}

#include "platform/ParentDeathSignal.h"

#include <sys/prctl.h>
#include <unistd.h>

bool ParentDeathSignal::armInChild(pid_t parent) noexcept {
    // A failed prctl leaves the child as it was before: it still runs, only unarmed.
    ::prctl(PR_SET_PDEATHSIG, kSignal);
    // The orphan was handed to a reaper (init or a subreaper), whose death would signal nothing.
    return ::getppid() == parent;
}

void ParentDeathSignal::armForThisProcess() noexcept {
    const pid_t parent = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, kSignal);
    if (::getppid() != parent)
        ::raise(kSignal);
}

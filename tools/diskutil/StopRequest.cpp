#include "StopRequest.h"

#include "platform/ParentDeathSignal.h"

#include <csignal>
#include <initializer_list>
#include <syslog.h>
#include <unistd.h>

namespace diskutil {
namespace {

volatile std::sig_atomic_t g_signal = 0;
pid_t g_parent = 0;

void onSignal(int signal) {
    g_signal = signal;
}

} // namespace

void StopRequest::install() {
    struct sigaction action {};
    action.sa_handler = onSignal;
    // Restarted: a stop never cuts a wait for a running command or a read of its output short.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        ::sigaction(signal, &action, nullptr);
    }
    std::signal(SIGPIPE, SIG_IGN);
    g_parent = ::getppid();
    ParentDeathSignal::armForThisProcess();
}

bool StopRequest::requested() {
    return g_signal != 0;
}

std::string StopRequest::reason() {
    if (::getppid() != g_parent) {
        return "the program that started diskutil (pid " + std::to_string(g_parent) + ") is gone";
    }
    return "it was asked to stop (signal " + std::to_string(int(g_signal)) + ")";
}

int StopRequest::reportStopped(const std::string& device, const std::string& state,
                               std::ostream& err) {
    const std::string line = "stopped: " + reason() + "; " + device + " is left " + state;
    err << "diskutil: " << line << std::endl;
    ::openlog("diskutil", LOG_PID, LOG_USER);
    ::syslog(LOG_WARNING, "%s", line.c_str());
    return 1;
}

} // namespace diskutil

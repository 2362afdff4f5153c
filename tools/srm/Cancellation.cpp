#include "Cancellation.h"

#include <csignal>
#include <initializer_list>

namespace srm {
namespace {

volatile std::sig_atomic_t g_requested = 0;

void onSignal(int) {
    g_requested = 1;
}

} // namespace

void Cancellation::installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

void Cancellation::request() {
    g_requested = 1;
}

bool Cancellation::requested() {
    return g_requested != 0;
}

void Cancellation::reset() {
    g_requested = 0;
}

} // namespace srm

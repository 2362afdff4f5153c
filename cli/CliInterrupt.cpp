#include "cli/CliInterrupt.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::atomic<int> g_signal{0};
int g_pipe[2] = {-1, -1};
std::function<void(int)> g_onSignal;
std::atomic<std::atomic_bool*> g_raised{nullptr};

static_assert(std::atomic<int>::is_always_lock_free, "used from a signal handler");
static_assert(std::atomic_bool::is_always_lock_free, "used from a signal handler");
static_assert(std::atomic<std::atomic_bool*>::is_always_lock_free, "used from a signal handler");

// Only what is safe in a signal handler: an atomic store and a write(2).
void onSignal(int signal) {
    const int saved = errno;
    int expected = 0;
    g_signal.compare_exchange_strong(expected, signal);
    if (std::atomic_bool* raised = g_raised.load())
        raised->store(true);
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

void CliInterrupt::lineBufferedOutput() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
}

void CliInterrupt::install(std::function<void(int)> onSignalReceived, std::atomic_bool* raised) {
    g_onSignal = std::move(onSignalReceived);
    g_raised.store(raised);
    if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        g_pipe[0] = g_pipe[1] = -1;
    if (g_pipe[0] >= 0 && QCoreApplication::instance()) {
        auto* notifier =
            new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
            char drained[16];
            ssize_t n = 0;
            while ((n = ::read(g_pipe[0], drained, sizeof drained)) > 0)
                for (ssize_t i = 0; i < n; ++i)
                    if (g_onSignal)
                        g_onSignal(int(drained[i]));
        });
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // Restarted system calls: the work's own threads must not see EINTR because of us.
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(number, &action, nullptr);
}

void CliInterrupt::release() {
    g_raised.store(nullptr);
    g_onSignal = {};
}

void CliInterrupt::reset() {
    release();
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int number : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(number, &action, nullptr);
    g_signal.store(0);
}

bool CliInterrupt::interrupted() {
    return g_signal.load() != 0;
}

int CliInterrupt::signalNumber() {
    return g_signal.load();
}

int CliInterrupt::exitStatus() {
    return 128 + g_signal.load();
}

const char* CliInterrupt::signalName() {
    switch (g_signal.load()) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "a signal";
    }
}

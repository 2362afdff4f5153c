#include "platform/Logger.h"

#include <atomic>
#include <cstdio>
#include <syslog.h>

namespace {
std::atomic<bool> echo{false};
}

void Logger::open(const char* ident) {
    openlog(ident, LOG_PID, LOG_USER);
}

void Logger::log(const QString& line) {
    const QByteArray utf8 = line.toUtf8();
    syslog(LOG_NOTICE, "%s", utf8.constData());
    if (echo.load())
        std::fprintf(stderr, "%s\n", utf8.constData());
}

void Logger::setEchoToStderr(bool on) {
    echo.store(on);
}

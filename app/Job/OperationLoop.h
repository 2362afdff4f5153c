#pragma once

#include "app/Job/DestructiveOperation.h"

#include <QEventLoop>
#include <QTimer>
#include <functional>

// Waits on the calling thread's event loop for a job that ends with a signal (the erasure job,
// the wipes, the duplicate deletion), passing a stop request on to the job once: the runs of
// the contract are blocking calls, the jobs behind them are not.
class OperationLoop {
public:
    OperationLoop(const DestructiveOperation::StopToken& stop, std::function<void()> cancel)
        : m_stop(stop), m_cancel(std::move(cancel)) {
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            if (!m_cancelled && m_stop.stopRequested()) {
                m_cancelled = true;
                m_cancel();
            }
        });
    }
    // Runs until quit(); returns at once when quit() came first.
    void exec() {
        if (m_ended)
            return;
        m_poll.start(50);
        m_loop.exec();
        m_poll.stop();
    }
    void quit() {
        m_ended = true;
        m_loop.quit();
    }

private:
    DestructiveOperation::StopToken m_stop;
    std::function<void()> m_cancel;
    QEventLoop m_loop;
    QTimer m_poll;
    bool m_cancelled = false;
    bool m_ended = false;
};

#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <functional>

// Waits until `done` holds, handling events as they come and waking on each
// (QTest::qWaitFor sleeps between passes, which slows the engine's every
// round trip). False when the bound ran out first.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 20000)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer wake;  // ends the wait for more events at the deadline
    wake.start(timeoutMs);
    bool held = false;
    while (!(held = done()) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return held;
}

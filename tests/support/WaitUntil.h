#pragma once
// Runs the event loop until a condition holds or the time is up, so a test
// waits as long as the window system needs and no longer. The condition may
// itself run a tool (xprop) or block briefly.

#include <QDeadlineTimer>
#include <QTest>

namespace testsupport {

template <typename Done> bool WaitUntil(Done done, int milliseconds = 5000)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
}

} // namespace testsupport

#pragma once
// Showing a window and waiting for its first paint, for the start-up figures.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <ctime>

using Clock = std::chrono::steady_clock;

// The processor time of the whole process (all its threads) so far.
inline double ProcessorSeconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Notes when the window's first paint is done (its pixels flushed): the first
// thing the event loop runs after it. Work a window leaves until after its
// first paint comes later and is not counted.
class FirstPaint : public QObject {
public:
    bool painted = false;
    Clock::time_point at;
    double processorAt = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] {
                at = Clock::now();
                processorAt = ProcessorSeconds();
                painted = true;
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

inline void WaitForPaint(QWidget& window, FirstPaint& watch)
{
    window.installEventFilter(&watch);
    window.show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    window.removeEventFilter(&watch);
}

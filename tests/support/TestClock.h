#pragma once
// A clock the test sets: while it lives, the program's clock reads its time.

#include "Clock.h"

#include <chrono>

namespace testsupport {

class TestClock {
public:
    explicit TestClock(std::chrono::system_clock::time_point now)
        : now_(now)
    {
        SetClockSource([this] { return now_; });
    }
    ~TestClock() { SetClockSource({}); }
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

    void Set(std::chrono::system_clock::time_point now) { now_ = now; }
    void Advance(std::chrono::system_clock::duration by) { now_ += by; }

private:
    std::chrono::system_clock::time_point now_;
};

} // namespace testsupport

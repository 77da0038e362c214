#pragma once
// The wall clock the program reads. Tests set their own (ClockOverride in the
// test support), so time-stamped output can be checked to the second.

#include <chrono>
#include <functional>

using ClockSource = std::function<std::chrono::system_clock::time_point()>;

std::chrono::system_clock::time_point ClockNow();
// An empty source goes back to the system clock.
void SetClockSource(ClockSource source);

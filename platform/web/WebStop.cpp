#include "WebStop.h"

#include <utility>

namespace {

thread_local std::stop_token currentStop;

} // namespace

WebStopScope::WebStopScope(std::stop_token stop)
    : previous_(std::exchange(currentStop, std::move(stop)))
{
}

WebStopScope::~WebStopScope()
{
    currentStop = std::move(previous_);
}

std::stop_token CurrentWebStop()
{
    return currentStop;
}

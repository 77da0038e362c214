#pragma once
// One replaceable service (the web access, the calls files are written
// through) that threads read while a test may put another in its place. A
// caller takes a shared_ptr and keeps it for its whole call, so a service
// swapped meanwhile stays alive until the last call that uses it has ended.

#include <memory>
#include <mutex>
#include <utility>

template <class Service> class ServiceSlot {
public:
    explicit ServiceSlot(std::shared_ptr<Service> initial)
        : current_(std::move(initial))
    {
    }
    ServiceSlot(const ServiceSlot&) = delete;
    ServiceSlot& operator=(const ServiceSlot&) = delete;

    std::shared_ptr<Service> Get() const
    {
        const std::lock_guard lock(mutex_);
        return current_;
    }

    // Puts `next` in place and returns the one it replaces.
    std::shared_ptr<Service> Exchange(std::shared_ptr<Service> next)
    {
        const std::lock_guard lock(mutex_);
        return std::exchange(current_, std::move(next));
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<Service> current_;
};

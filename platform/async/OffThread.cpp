#include "OffThread.h"

#include "ErrorReport.h"

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

struct OffThreadCalls::Call {
    std::mutex mutex;
    bool abandoned = false; // under mutex
    std::function<void()> result; // under mutex: set by the worker once the call is done
    bool done = false; // under mutex
    std::stop_source stop;
};

// Wakes the event loop of the thread results go to: a worker rings it (an
// eventfd write) after it has left its result; the socket notifier hears it.
class OffThreadCalls::Doorbell {
public:
    explicit Doorbell(std::function<void()> answer)
        : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    {
        if (fd_ < 0)
            throw std::system_error(errno, std::generic_category(), "eventfd");
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, answer = std::move(answer)] {
            std::uint64_t rings = 0;
            while (::read(fd_, &rings, sizeof rings) < 0 && errno == EINTR) { }
            answer();
        });
    }
    ~Doorbell()
    {
        notifier_.reset();
        ::close(fd_);
    }
    Doorbell(const Doorbell&) = delete;
    Doorbell& operator=(const Doorbell&) = delete;

    // Any thread; only while the owner has not abandoned the ringing call.
    void Ring()
    {
        const std::uint64_t one = 1;
        while (::write(fd_, &one, sizeof one) < 0 && errno == EINTR) { }
    }

private:
    int fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

namespace {

// Every worker thread of the process, so the application can stop and await
// them at its end. Never destroyed: a thread may still finish during exit.
struct Workers {
    std::mutex mutex;
    std::condition_variable ended;
    std::vector<std::stop_source> running; // one per live thread
    int live = 0;
};

Workers& AllWorkers()
{
    static auto* workers = new Workers;
    return *workers;
}

void StopAndAwaitAtExit()
{
    OffThreadCalls::WaitForAllThreads(std::chrono::milliseconds(3000));
}

} // namespace

OffThreadCalls::OffThreadCalls()
    : doorbell_(std::make_unique<Doorbell>([this] { DeliverArrived(); }))
{
    static std::once_flag registered;
    std::call_once(registered, [] { qAddPostRoutine(StopAndAwaitAtExit); });
}

OffThreadCalls::~OffThreadCalls()
{
    AbandonAll(); // after this no worker rings the doorbell
}

int OffThreadCalls::Running() const
{
    return static_cast<int>(running_.size());
}

void OffThreadCalls::AbandonAll()
{
    for (const auto& call : running_) {
        std::function<void()> dropped;
        {
            const std::lock_guard lock(call->mutex);
            call->abandoned = true;
            dropped = std::move(call->result);
        }
        call->stop.request_stop();
    }
    running_.clear();
}

void OffThreadCalls::StartJob(Job job)
{
    auto call = std::make_shared<Call>();

    Workers& workers = AllWorkers();
    {
        const std::lock_guard lock(workers.mutex);
        workers.running.push_back(call->stop);
        ++workers.live;
    }
    // The worker reaches this object only through the doorbell, and only while
    // the call is not abandoned, which the destructor sees to first.
    auto worker = [doorbell = doorbell_.get(), call, job = std::move(job)]() mutable {
        const std::stop_source stop = call->stop;
        {
            std::function<void()> result = job(stop.get_token());
            job = nullptr;
            const std::lock_guard lock(call->mutex);
            if (!call->abandoned) {
                call->result = std::move(result);
                call->done = true;
                doorbell->Ring();
            }
        }
        call.reset();
        Workers& all = AllWorkers();
        const std::lock_guard lock(all.mutex);
        const auto at = std::find(all.running.begin(), all.running.end(), stop);
        if (at != all.running.end())
            all.running.erase(at);
        --all.live;
        all.ended.notify_all();
    };
    try {
        std::thread(std::move(worker)).detach();
    } catch (...) {
        const std::lock_guard lock(workers.mutex);
        workers.running.erase(std::find(workers.running.begin(), workers.running.end(), call->stop));
        --workers.live;
        throw;
    }
    running_.push_back(std::move(call));
}

// Hands over every result that has arrived, in the order the calls were
// started. A callback may start or abandon calls, or run a modal loop in which
// this runs again, so the list is searched afresh for each.
void OffThreadCalls::DeliverArrived()
{
    for (;;) {
        std::function<void()> deliver;
        const auto arrived = std::find_if(running_.begin(), running_.end(), [&](const auto& call) {
            const std::lock_guard lock(call->mutex);
            if (!call->done)
                return false;
            deliver = std::move(call->result);
            return true;
        });
        if (arrived == running_.end())
            return;
        running_.erase(arrived);
        try {
            deliver();
        } catch (...) {
            ReportCurrentException();
        }
    }
}

bool OffThreadCalls::WaitForAllThreads(std::chrono::milliseconds limit)
{
    Workers& workers = AllWorkers();
    std::unique_lock lock(workers.mutex);
    for (auto& stop : workers.running)
        stop.request_stop();
    return workers.ended.wait_for(lock, limit, [&] { return workers.live == 0; });
}

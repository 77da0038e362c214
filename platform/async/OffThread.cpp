#include "OffThread.h"

#include "ErrorReport.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

struct OffThreadCalls::Call {
    std::mutex mutex;
    bool abandoned = false; // under mutex
    QObject* receiver = nullptr; // valid while not abandoned
    std::stop_source stop;
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

// The standard report for an error that escapes a delivered callback, which
// must not travel into the event loop.
void ReportEscaped(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        ShowErrorReport(e.what());
    } catch (...) {
        ShowErrorReport("");
    }
}

} // namespace

OffThreadCalls::OffThreadCalls()
    : receiver_(new QObject)
{
    static std::once_flag registered;
    std::call_once(registered, [] { qAddPostRoutine(StopAndAwaitAtExit); });
}

OffThreadCalls::~OffThreadCalls()
{
    AbandonAll();
    delete receiver_; // takes any result still queued for it along
}

int OffThreadCalls::Running() const
{
    return static_cast<int>(running_.size());
}

void OffThreadCalls::AbandonAll()
{
    for (const auto& call : running_) {
        const std::lock_guard lock(call->mutex);
        call->abandoned = true;
        call->stop.request_stop();
    }
    running_.clear();
}

void OffThreadCalls::StartJob(Job job)
{
    auto call = std::make_shared<Call>();
    call->receiver = receiver_;

    Workers& workers = AllWorkers();
    {
        const std::lock_guard lock(workers.mutex);
        workers.running.push_back(call->stop);
        ++workers.live;
    }
    // The worker never touches this object: only the function it posts does,
    // and Qt runs that only while the receiver, and so this object, exists.
    auto worker = [this, call, job = std::move(job)]() mutable {
        const std::stop_source stop = call->stop;
        {
            std::function<void()> deliver = job(stop.get_token());
            job = nullptr;
            const std::lock_guard lock(call->mutex);
            if (!call->abandoned) {
                QMetaObject::invokeMethod(
                    call->receiver, [this, call, deliver = std::move(deliver)] { Deliver(call, deliver); },
                    Qt::QueuedConnection);
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

void OffThreadCalls::Deliver(const std::shared_ptr<Call>& call, const std::function<void()>& deliver)
{
    {
        const std::lock_guard lock(call->mutex);
        if (call->abandoned)
            return;
    }
    std::erase(running_, call);
    try {
        deliver();
    } catch (...) {
        ReportEscaped(std::current_exception());
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

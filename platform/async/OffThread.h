#pragma once
// Running a blocking call (a download, an HTTP request, a page fetch) off the
// user-interface thread. The call runs on a thread of its own; its result, or
// the exception it threw, is handed back to the thread that made the
// OffThreadCalls object (the user-interface thread) through that thread's event
// loop, so the window keeps painting and its timers keep firing while the call
// waits. This is the program's one way to run work on another thread.
//
// The hand-over is the object's own: the worker leaves the result in a slot
// guarded by a std::mutex and wakes the event loop through an eventfd, so no
// data crosses threads inside Qt, whose locks ThreadSanitizer cannot see.
//
// Destroying the object abandons the calls that are still running: each gets a
// stop request (web access under a WebStopScope ends at once) and its result
// is dropped. The destructor never waits for a thread; the application waits
// for them, briefly, when it ends (see WaitForAllThreads).

#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <stop_token>
#include <type_traits>
#include <utility>
#include <vector>

class QObject;

namespace offthread {
// The callback that takes a call's result: void(Result), or void() for void.
template <class Result> struct DoneOf {
    using type = std::function<void(Result)>;
};
template <> struct DoneOf<void> {
    using type = std::function<void()>;
};
} // namespace offthread

class OffThreadCalls {
public:
    template <class Result> using Done = typename offthread::DoneOf<Result>::type;
    using Failed = std::function<void(std::exception_ptr)>;

    // Needs a QCoreApplication; results come back to the calling thread.
    OffThreadCalls();
    ~OffThreadCalls();
    OffThreadCalls(const OffThreadCalls&) = delete;
    OffThreadCalls& operator=(const OffThreadCalls&) = delete;

    // Runs work(stop) on a new thread, then done(result) or failed(error) on
    // this object's thread. A callback that throws, or an error without a
    // failure callback, ends in the standard error report. A callback must not
    // destroy this object (deleteLater it instead). When a call is abandoned,
    // the captures of its callbacks are destroyed on the worker thread, or on
    // this object's thread when its result had already arrived.
    template <class Result>
    void Start(std::function<Result(std::stop_token)> work, Done<Result> done, Failed failed)
    {
        StartJob([work = std::move(work), done = std::move(done), failed = std::move(failed)](
                     std::stop_token stop) -> std::function<void()> {
            try {
                if constexpr (std::is_void_v<Result>) {
                    work(stop);
                    return [done] {
                        if (done)
                            done();
                    };
                } else {
                    return [done, result = work(stop)]() mutable {
                        if (done)
                            done(std::move(result));
                    };
                }
            } catch (...) {
                // Without a failure callback the error goes to the standard error report.
                return [failed, error = std::current_exception()] {
                    if (!failed)
                        std::rethrow_exception(error);
                    failed(error);
                };
            }
        });
    }

    // Calls whose result has not been handed back yet.
    int Running() const;

    // Abandons every running call, as the destructor does.
    void AbandonAll();

    // Asks every call of the process to stop and waits up to `limit` for their
    // threads to end; true when none is left. Runs by itself when the
    // QCoreApplication is destroyed, so no call outlives the program's objects.
    static bool WaitForAllThreads(std::chrono::milliseconds limit);

private:
    struct Call;
    class Doorbell;
    using Job = std::function<std::function<void()>(std::stop_token)>;

    void StartJob(Job job);
    void DeliverArrived();

    std::unique_ptr<Doorbell> doorbell_; // lives on the thread results go to
    std::vector<std::shared_ptr<Call>> running_; // in the order they were started
};

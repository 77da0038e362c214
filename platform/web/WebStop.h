#pragma once
// Ending web access from another thread. A worker that runs transfers for the
// user-interface thread holds a WebStopScope with the stop token it was given;
// when a stop is requested, the transfer running on that thread ends at once
// (its socket is shut down) and fails like a dropped connection, and the
// transfers it would start afterwards fail without connecting.

#include <stop_token>

class WebStopScope {
public:
    explicit WebStopScope(std::stop_token stop);
    ~WebStopScope();
    WebStopScope(const WebStopScope&) = delete;
    WebStopScope& operator=(const WebStopScope&) = delete;

private:
    std::stop_token previous_;
};

// The stop token of the innermost scope on this thread; one that can never be
// stopped when there is none.
std::stop_token CurrentWebStop();

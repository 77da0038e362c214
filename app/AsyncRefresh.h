#pragma once
// The refresh cycle for the windows: the network part (connectivity test and
// quote download) runs on a worker thread, so the windows keep painting and
// their timers keep firing while the quote service is slow; everything else
// happens on the user-interface thread, in the order of the plain cycle:
//
//   Start: skip when a cycle is still going; read the code list; decide
//          whether a window of the program is showing.
//   worker: connectivity test, then the download (only when a window is
//          showing); the answer replaces the quote file only when it parses
//          and, for a request with codes, is not empty.
//   back on the user-interface thread: the standard error report for a
//          failed download; parse the quote file and put its records into
//          the set; then OnRefilled, so the main window refills its list.
//
// A refused answer, a parse error or a code list that cannot be read goes to
// the standard error report instead of OnRefilled, so the set and the list
// keep what they had. A cycle runs until its report is dismissed: one report
// at a time, however long the user is away. Destroying the cycle while the
// worker waits returns at once: the transfer is told to stop and its result
// is dropped.

#include "OffThread.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TStockCodeConfig;
class TStockDataSet;

class TAsyncRefreshCycle {
public:
    // Both must outlive the cycle. Make it on the user-interface thread.
    TAsyncRefreshCycle(TStockDataSet& set, const TStockCodeConfig& codeList);
    ~TAsyncRefreshCycle();
    TAsyncRefreshCycle(const TAsyncRefreshCycle&) = delete;
    TAsyncRefreshCycle& operator=(const TAsyncRefreshCycle&) = delete;

    // Called after the set has been refilled.
    std::function<void()> OnRefilled;

    // Starts a cycle; false when one is still going (its download is running
    // or its error report is open), and this one is skipped. The cycle
    // finishes later, from the event loop; only a code list that cannot be
    // read ends it inside Start, with its report.
    bool Start();

    bool Running() const { return running_; }

private:
    struct Fetched;
    void Finish(const Fetched& result);
    // Shows an error report of the cycle; the cycle ends when it is dismissed.
    void Report(const std::string& message);

    TStockDataSet& set_;
    const TStockCodeConfig& codeList_;
    bool running_ = false;
    std::vector<std::string> codes_; // read at Start, given to the set at Finish
    std::string url_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    OffThreadCalls calls_;
};

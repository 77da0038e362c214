#pragma once
// The refresh cycle the windows run: the steps of TStockRefreshCycle
// (StockRefresh.h) with the network part, the connectivity test and the
// download, on a worker thread, so the windows keep painting and their timers
// keep firing while the quote service is slow. Begin, the error reports, the
// parse and the refill happen on the user-interface thread, in the order of
// the plain cycle. Destroying the cycle while the worker waits returns at
// once: the transfer is told to stop and its result is dropped.

#include "OffThread.h"
#include "StockRefresh.h"

class TAsyncRefreshCycle : private TStockRefreshCycle {
public:
    // Both must outlive the cycle. Make it on the user-interface thread.
    TAsyncRefreshCycle(TStockDataSet& set, const TStockCodeConfig& codeList);

    using TStockRefreshCycle::OnRefilled;
    using TStockRefreshCycle::Running;

    // Starts a cycle; false when one is still going (its download is running
    // or its error report is open), and this one is skipped. The cycle
    // finishes later, from the event loop; only a code list that cannot be
    // read ends it inside Start, with its report.
    bool Start();

private:
    OffThreadCalls calls_;
};

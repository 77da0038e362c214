#include "AsyncRefresh.h"

#include "WebStop.h"

TAsyncRefreshCycle::TAsyncRefreshCycle(TStockDataSet& set, const TStockCodeConfig& codeList)
    : TStockRefreshCycle(set, codeList)
{
}

bool TAsyncRefreshCycle::Start()
{
    if (Running())
        return false;
    std::optional<TQuoteRequest> request = Begin();
    if (!request)
        return true;
    std::function<TQuoteFetched(std::stop_token)> work
        = [request = std::move(*request)](std::stop_token stop) {
              const WebStopScope scope(std::move(stop));
              return Fetch(request);
          };
    try {
        calls_.Start<TQuoteFetched>(
            std::move(work), [this](TQuoteFetched fetched) { Finish(fetched); },
            [this](std::exception_ptr error) { Fail(error); });
    } catch (...) {
        Fail(std::current_exception()); // no worker: go on with the file as it is
    }
    return true;
}

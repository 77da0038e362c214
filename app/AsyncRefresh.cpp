#include "AsyncRefresh.h"

#include "ErrorReport.h"
#include "ProgramWindows.h"
#include "StockDataClient.h"
#include "StockRefresh.h"
#include "Stockcodeconfig.h"
#include "Stockdate.h"
#include "WebStop.h"

#include <exception>

TAsyncRefreshCycle::TAsyncRefreshCycle(TStockDataSet& set, const TStockCodeConfig& codeList)
    : set_(set)
    , codeList_(codeList)
{
}

TAsyncRefreshCycle::~TAsyncRefreshCycle()
{
    *alive_ = false;
}

bool TAsyncRefreshCycle::Start()
{
    if (running_)
        return false;
    std::vector<std::string> codes;
    codeList_.Load(codes); // a missing file leaves no codes
    codes_ = std::move(codes);
    url_ = QuoteListUrl + JoinStockCodes(codes_);

    const bool windowShowing = ProgramWindowShowing();
    // Without a window showing nothing is asked of the network, as when offline.
    std::function<TQuoteFetch(std::stop_token)> work
        = [windowShowing, url = url_, file = set_.QuoteFile](std::stop_token stop) {
              if (!windowShowing)
                  return TQuoteFetch::Offline;
              const WebStopScope scope(std::move(stop));
              return TStockDataClient::Fetch(url, file);
          };
    running_ = true;
    try {
        calls_.Start<TQuoteFetch>(
            std::move(work), [this](TQuoteFetch fetch) { Finish(fetch); },
            [this](std::exception_ptr error) {
                // Nothing the worker does throws in normal use; tell the user
                // and go on with the file as it is.
                const std::shared_ptr<bool> alive = alive_;
                ReportException(error);
                if (*alive)
                    Finish(TQuoteFetch::Offline);
            });
    } catch (...) {
        running_ = false;
        throw;
    }
    return true;
}

void TAsyncRefreshCycle::Finish(TQuoteFetch fetch)
{
    // The error report is modal: while it is open the timer keeps firing, and
    // the program may even be told to end. The cycle stays "running" until it
    // is all done, and touches nothing once it has been destroyed.
    const std::shared_ptr<bool> alive = alive_;
    if (fetch == TQuoteFetch::Failed || fetch == TQuoteFetch::DiskFull) {
        TStockDataClient::ReportFailure(url_, fetch == TQuoteFetch::DiskFull);
        if (!*alive)
            return;
    }
    try {
        set_.Clear();
        set_.StockCodes = codes_;
        set_.LoadQuoteFile();
    } catch (...) {
        // Reported like an error escaping the plain cycle: the cycle is over.
        running_ = false;
        ReportCurrentException();
        return;
    }
    running_ = false;
    if (OnRefilled)
        OnRefilled();
}

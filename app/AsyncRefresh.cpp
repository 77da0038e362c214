#include "AsyncRefresh.h"

#include "ErrorReport.h"
#include "ProgramWindows.h"
#include "StockDataClient.h"
#include "StockRefresh.h"
#include "Stockcodeconfig.h"
#include "Stockdate.h"
#include "WebStop.h"

#include <exception>

// What the worker found: as offline when no window was showing (nothing went
// on the network then either).
struct TAsyncRefreshCycle::Fetched {
    TQuoteFetch fetch = TQuoteFetch::Offline;
    std::string refusal; // why the answer was refused
};

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
    running_ = true;
    std::vector<std::string> codes;
    try {
        codeList_.Load(codes); // a missing file leaves no codes
    } catch (...) {
        Report(ErrorMessageOf(std::current_exception()));
        return true;
    }
    codes_ = std::move(codes);
    url_ = QuoteListUrl + JoinStockCodes(codes_);

    const bool windowShowing = ProgramWindowShowing();
    std::function<Fetched(std::stop_token)> work = [windowShowing, url = url_, file = set_.QuoteFile,
                                                       codesAsked = !codes_.empty()](std::stop_token stop) {
        Fetched result;
        if (!windowShowing)
            return result;
        const WebStopScope scope(std::move(stop));
        result.fetch = TStockDataClient::Fetch(url, file, codesAsked, result.refusal);
        return result;
    };
    try {
        calls_.Start<Fetched>(
            std::move(work), [this](Fetched result) { Finish(result); },
            [this](std::exception_ptr error) {
                // Nothing the worker does throws in normal use; tell the user
                // and go on with the file as it is.
                const std::shared_ptr<bool> alive = alive_;
                ReportException(error);
                if (*alive)
                    Finish({});
            });
    } catch (...) {
        running_ = false;
        throw;
    }
    return true;
}

void TAsyncRefreshCycle::Report(const std::string& message)
{
    // The report is modal: while it is open the timer keeps firing, and the
    // program may even be told to end. The cycle is still running until the
    // report is dismissed, so those ticks are skipped, and it touches nothing
    // once it has been destroyed.
    const std::shared_ptr<bool> alive = alive_;
    ShowErrorReport(message);
    if (*alive)
        running_ = false;
}

void TAsyncRefreshCycle::Finish(const Fetched& result)
{
    const std::shared_ptr<bool> alive = alive_;
    if (result.fetch == TQuoteFetch::Failed || result.fetch == TQuoteFetch::DiskFull) {
        TStockDataClient::ReportFailure(url_, result.fetch == TQuoteFetch::DiskFull);
        if (!*alive)
            return;
    } else if (result.fetch == TQuoteFetch::Refused) {
        // The file was not replaced: the set and the rows stay as they were.
        Report(result.refusal);
        return;
    }
    // Parsed aside, so a file that does not parse leaves the set as it was.
    TStockDataSet fresh(set_.QuoteFile);
    try {
        fresh.LoadQuoteFile();
    } catch (...) {
        Report(ErrorMessageOf(std::current_exception()));
        return;
    }
    set_.Clear();
    set_.StockCodes = codes_;
    set_.Data = std::move(fresh.Data);
    running_ = false;
    if (OnRefilled)
        OnRefilled();
}

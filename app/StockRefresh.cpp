#include "StockRefresh.h"

#include "ErrorReport.h"
#include "ProgramWindows.h"
#include "Stockcodeconfig.h"
#include "Stockdate.h"

TStockRefreshCycle::TStockRefreshCycle(TStockDataSet& set, const TStockCodeConfig& codeList)
    : set_(set)
    , codeList_(codeList)
{
}

TStockRefreshCycle::~TStockRefreshCycle()
{
    *alive_ = false;
}

bool TStockRefreshCycle::Run()
{
    if (running_)
        return false;
    const std::optional<TQuoteRequest> request = Begin();
    if (!request)
        return true;
    TQuoteFetched fetched;
    try {
        fetched = Fetch(*request);
    } catch (...) {
        Fail(std::current_exception());
        return true;
    }
    Finish(fetched);
    return true;
}

std::optional<TQuoteRequest> TStockRefreshCycle::Begin()
{
    running_ = true;
    std::vector<std::string> codes;
    try {
        codeList_.Load(codes); // a missing file leaves no codes
    } catch (...) {
        Report(ErrorMessageOf(std::current_exception()));
        return std::nullopt;
    }
    codes_ = std::move(codes);
    url_ = QuoteListUrl + JoinStockCodes(codes_);
    return TQuoteRequest { url_, set_.QuoteFile, !codes_.empty(), ProgramWindowShowing() };
}

TQuoteFetched TStockRefreshCycle::Fetch(const TQuoteRequest& request)
{
    TQuoteFetched fetched;
    if (request.windowShowing)
        fetched.fetch
            = TStockDataClient::Fetch(request.url, request.quoteFile, request.codesAsked, fetched.refusal);
    return fetched;
}

void TStockRefreshCycle::Report(const std::string& message)
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

void TStockRefreshCycle::Fail(std::exception_ptr error)
{
    // Nothing Fetch does throws in normal use; tell the user and go on with
    // the file as it is.
    const std::shared_ptr<bool> alive = alive_;
    ReportException(error);
    if (*alive)
        Finish({});
}

void TStockRefreshCycle::Finish(const TQuoteFetched& fetched)
{
    const std::shared_ptr<bool> alive = alive_;
    if (fetched.fetch == TQuoteFetch::Refused) {
        // The file was not replaced: the set and the rows stay as they were.
        Report(fetched.refusal);
        return;
    }
    if (fetched.fetch == TQuoteFetch::Failed || fetched.fetch == TQuoteFetch::DiskFull) {
        TStockDataClient::ReportFailure(url_, fetched.fetch == TQuoteFetch::DiskFull);
        if (!*alive)
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

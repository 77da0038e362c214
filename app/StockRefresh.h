#pragma once
// The refresh cycle the quote timer runs, in three steps:
//
//   Begin (user-interface thread): reads the code list, builds the request and
//          decides whether a window of the program is showing.
//   Fetch (any thread): the connectivity test, then the download, only when a
//          window is showing; the answer replaces the quote file only when it
//          parses and, for a request with codes, is not empty. It asks no hook
//          and shows nothing.
//   Finish (user-interface thread): the standard error report of a failed
//          download; the quote file parsed aside and its records put into the
//          set; then OnRefilled, so the main window refills its list.
//
// Run does the three in a row on the calling thread; the windows run
// TAsyncRefreshCycle (AsyncRefresh.h), which hands Fetch to a worker thread.
//
// A refused answer, a parse error or a code list that cannot be read goes to
// the standard error report instead of OnRefilled, so the set and the list
// keep what they had. A cycle runs until its report is dismissed: one that
// would start meanwhile (the report is modal and the timer keeps firing) is
// skipped, so a failure left alone shows one report, however long the user is
// away.

#include "StockDataClient.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TStockCodeConfig;
class TStockDataSet;

// What Begin hands to Fetch.
struct TQuoteRequest {
    std::string url;
    std::string quoteFile;
    bool codesAsked = false; // an empty answer is refused
    bool windowShowing = false; // otherwise nothing goes on the network
};

// What Fetch came to; as offline when no window was showing.
struct TQuoteFetched {
    TQuoteFetch fetch = TQuoteFetch::Offline;
    std::string refusal; // why the answer was refused
};

class TStockRefreshCycle {
public:
    // Both must outlive the cycle.
    TStockRefreshCycle(TStockDataSet& set, const TStockCodeConfig& codeList);
    ~TStockRefreshCycle();
    TStockRefreshCycle(const TStockRefreshCycle&) = delete;
    TStockRefreshCycle& operator=(const TStockRefreshCycle&) = delete;

    // Called after the set has been refilled.
    std::function<void()> OnRefilled;

    // One whole cycle on the calling thread; false when one is still going
    // (its error report is open) and this one is skipped.
    bool Run();
    bool Running() const { return running_; }

    // The steps, for a caller that runs Fetch elsewhere. Begin is called only
    // while no cycle is running, and from then on the cycle runs; it answers
    // nothing when the cycle is over already (its code list could not be read,
    // and the report has been shown).
    std::optional<TQuoteRequest> Begin();
    static TQuoteFetched Fetch(const TQuoteRequest& request);
    void Finish(const TQuoteFetched& fetched);
    // Finishes a cycle whose Fetch threw: the error is reported, then the
    // cycle goes on with the quote file as it is.
    void Fail(std::exception_ptr error);

private:
    // Shows an error report of the cycle; the cycle ends when it is dismissed.
    void Report(const std::string& message);

    TStockDataSet& set_;
    const TStockCodeConfig& codeList_;
    bool running_ = false;
    std::vector<std::string> codes_; // read by Begin, given to the set by Finish
    std::string url_;
    // False once the cycle is destroyed, which a modal report may see happen.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

#pragma once
// The quote client: fetches the quote service's answer into the quote file,
// but only when the Internet can be reached. A failed download is reported to
// the user by the download itself and leaves the file as it was. So does an
// answer that does not parse, or an empty answer to a request for codes: the
// last good quotes are never replaced by a bad answer.

#include <memory>
#include <string>

class TDownLoadURL;

// The quote service answers 403 to requests that do not come from its finance site.
extern const std::string QuoteReferer;

// What the network part of a quote download came to.
enum class TQuoteFetch {
    Offline, // the connectivity test failed: nothing was asked for
    Fetched, // the file holds the fresh answer
    Failed, // the download failed; the file is as it was
    DiskFull, // the answer could not be stored for want of space; the file is as it was
    Refused, // the answer came but is no quote answer; the file is as it was
};

class TStockDataClient {
public:
    TStockDataClient();
    ~TStockDataClient();
    TStockDataClient(const TStockDataClient&) = delete;
    TStockDataClient& operator=(const TStockDataClient&) = delete;

    // codesAsked: the request names codes, so an empty answer is refused.
    void Download(const std::string& url, const std::string& fileName, bool codesAsked = true);

    // The blocking part of Download, for a worker thread: the connectivity test,
    // then the download. It asks no hook and shows nothing, so the caller decides
    // beforehand, on the user-interface thread, that a window is showing, and
    // reports a Failed or DiskFull result there with ReportFailure, a Refused one
    // with the reason given in refusal.
    static TQuoteFetch Fetch(
        const std::string& url, const std::string& fileName, bool codesAsked, std::string& refusal);
    static void ReportFailure(const std::string& url, bool diskFull = false);

private:
    std::unique_ptr<TDownLoadURL> download_;
};

#pragma once
// The quote client: fetches the quote service's answer into the quote file,
// but only when the Internet can be reached. A failed download is reported to
// the user by the download itself and leaves the file as it was.

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
};

class TStockDataClient {
public:
    TStockDataClient();
    ~TStockDataClient();
    TStockDataClient(const TStockDataClient&) = delete;
    TStockDataClient& operator=(const TStockDataClient&) = delete;

    void Download(const std::string& url, const std::string& fileName);

    // The blocking part of Download, for a worker thread: the connectivity test,
    // then the download. It asks no hook and shows nothing, so the caller decides
    // beforehand, on the user-interface thread, that a window is showing, and
    // reports a Failed result there with ReportFailure.
    static TQuoteFetch Fetch(const std::string& url, const std::string& fileName);
    static void ReportFailure(const std::string& url, bool diskFull = false);

private:
    std::unique_ptr<TDownLoadURL> download_;
};

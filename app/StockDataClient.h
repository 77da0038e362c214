#pragma once
// The quote client: fetches the quote service's answer into the quote file,
// but only when the Internet can be reached. A failed download is reported to
// the user by the download itself and leaves the file as it was.

#include <memory>
#include <string>

class TDownLoadURL;

// The quote service answers 403 to requests that do not come from its finance site.
extern const std::string QuoteReferer;

class TStockDataClient {
public:
    TStockDataClient();
    ~TStockDataClient();
    TStockDataClient(const TStockDataClient&) = delete;
    TStockDataClient& operator=(const TStockDataClient&) = delete;

    void Download(const std::string& url, const std::string& fileName);

private:
    std::unique_ptr<TDownLoadURL> download_;
};
